#include "config/frm_net_list.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/frm_trivor.h"
#include "app/qt_text.h"
#include "config/device_id.h"
#include "config/net_list_converter.h"
#include "config/net_list_groups.h"
#include "config/net_list_texts.h"
#include "config/text_util.h"
#include "lang/format.h"
#include "lang/texts_netlist.h"

namespace trivex {

namespace {

constexpr int kGridColumns = 15;  // line number and the fourteen fields

QStringList ListTexts(const lang::Text3& list) {
  QStringList heads;
  const char* text = lang::Tr(list);
  for (int i = 0; i < lang::ListCount(text); ++i) heads << Q(std::string(lang::ListItem(text, i)));
  return heads;
}

QTreeWidget* NewList(QWidget* parent, const char* name) {
  auto* t = new QTreeWidget(parent);
  t->setObjectName(QString::fromLatin1(name));
  t->setRootIsDecorated(false);
  t->setColumnCount(3);
  t->setUniformRowHeights(true);
  return t;
}

// A list entry whose columns are the TAB-separated parts of `text`.
void AddEntry(QTreeWidget* list, const std::string& text) {
  QStringList cols;
  for (std::string_view part : SplitAt(text, '\t')) cols << Q(std::string(part));
  list->addTopLevelItem(new QTreeWidgetItem(cols));
}

QString Number(double v) { return Q(FormatG(v)); }

QString Lines(const std::string& text) {
  QString s = Q(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

}  // namespace

TFrmNetList::TFrmNetList(TZyrData& config, QWidget* parent) : QMainWindow(parent), config_(&config) {
  setObjectName(QStringLiteral("FrmNetList"));
  setWindowFlag(Qt::Window);
  resize(900, 700);

  MnuNetList = menuBar()->addMenu(QString());
  MnuNetList->setObjectName(QStringLiteral("MnuNetList"));
  AcnShowNetlist = MnuNetList->addAction(QString());
  AcnShowNetlist->setObjectName(QStringLiteral("AcnShowNetlist"));
  AcnShowNetlist->setCheckable(true);
  AcnInsertLine = MnuNetList->addAction(QString());
  AcnInsertLine->setObjectName(QStringLiteral("AcnInsertLine"));
  AcnDeleteLine = MnuNetList->addAction(QString());
  AcnDeleteLine->setObjectName(QStringLiteral("AcnDeleteLine"));
  MnuNetList->addSeparator();
  AcnRecompute = MnuNetList->addAction(QString());
  AcnRecompute->setObjectName(QStringLiteral("AcnRecompute"));
  AcnRecompute->setShortcut(QKeySequence(Qt::Key_F5));
  connect(AcnShowNetlist, &QAction::toggled, this, &TFrmNetList::ShowNetlist);
  connect(AcnInsertLine, &QAction::triggered, this, &TFrmNetList::InsertLine);
  connect(AcnDeleteLine, &QAction::triggered, this, &TFrmNetList::DeleteLine);
  connect(AcnRecompute, &QAction::triggered, this, &TFrmNetList::RecomputeGroups);

  auto* splitter = new QSplitter(Qt::Vertical, this);
  setCentralWidget(splitter);

  auto* top = new QWidget(splitter);
  auto* top_lay = new QVBoxLayout(top);
  auto* lists = new QHBoxLayout;
  auto column = [&](QLabel*& label, QTreeWidget*& list, const char* name) {
    auto* box = new QVBoxLayout;
    label = new QLabel(top);
    list = NewList(top, name);
    box->addWidget(label);
    box->addWidget(list, 1);
    lists->addLayout(box, 1);
  };
  column(lbl_segments_, segments_, "LstSegments");
  column(lbl_switches_, switches_, "LstSwitches");
  column(lbl_groups_, groups_, "LstGroups");
  top_lay->addLayout(lists, 1);
  message_ = new QLabel(top);
  message_->setObjectName(QStringLiteral("LblMessage"));
  message_->setWordWrap(true);
  top_lay->addWidget(message_);

  panels_area_ = new QScrollArea(splitter);
  panels_area_->setObjectName(QStringLiteral("ScbDevices"));
  panels_area_->setWidgetResizable(true);

  grid_ = new QTableWidget(splitter);
  grid_->setObjectName(QStringLiteral("GrdNetList"));
  grid_->setColumnCount(kGridColumns);
  grid_->verticalHeader()->hide();
  grid_->hide();
  connect(grid_, &QTableWidget::itemChanged, this, &TFrmNetList::OnCellChanged);

  UpdateLanguageStrings();
  Refresh();
}

TFrmNetList* TFrmNetList::ShowFor(QWidget* owner, TZyrData& config) {
  QWidget* top = owner->window();
  TFrmNetList* w = top->findChild<TFrmNetList*>(QStringLiteral("FrmNetList"), Qt::FindDirectChildrenOnly);
  if (!w) {
    w = new TFrmNetList(config, top);
    if (auto* main = qobject_cast<TFrmTrivor*>(top))
      connect(main, &TFrmTrivor::LanguageChanged, w, &TFrmNetList::UpdateLanguageStrings);
  } else {
    w->SetConfiguration(config);
  }
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

void TFrmNetList::SetConfiguration(TZyrData& config) {
  config_ = &config;
  Refresh();
}

void TFrmNetList::UpdateLanguageStrings() {
  setWindowTitle(QTr(tx::netlist::WindowCaption));
  MnuNetList->setTitle(QTr(tx::netlist::MenuNetList));
  AcnShowNetlist->setText(QTr(tx::netlist::ShowNetlist));
  AcnInsertLine->setText(QTr(tx::netlist::InsertLine));
  AcnDeleteLine->setText(QTr(tx::netlist::DeleteLine));
  AcnRecompute->setText(QTr(tx::netlist::Recompute));
  lbl_segments_->setText(QTr(tx::netlist::HeadSegments));
  lbl_switches_->setText(QTr(tx::netlist::HeadSwitches));
  lbl_groups_->setText(QTr(tx::netlist::HeadGroups));
  segments_->setHeaderLabels(ListTexts(tx::netlist::SegmentColumns));
  switches_->setHeaderLabels(ListTexts(tx::netlist::SwitchColumns));
  groups_->setHeaderLabels(ListTexts(tx::netlist::GroupColumns));
  grid_->setHorizontalHeaderLabels(ListTexts(tx::netlist::NetListColumns));
  Fill();  // the entries hold language texts ("closed", "<empty>")
}

void TFrmNetList::Compile() {
  model_.Clear();
  error_.clear();
  compiled_ = false;
  try {
    TNetListConverter::Compile(config_->system_type, config_->master_id, config_->switches, model_);
    compiled_ = true;
  } catch (const ENetList& e) {
    error_ = e.what();
    model_.Clear();
  }
}

void TFrmNetList::Refresh() {
  Compile();
  FillGrid();
  Fill();
}

void TFrmNetList::Fill() {
  segments_->clear();
  switches_->clear();
  for (const TSegment& s : model_.segments) AddEntry(segments_, SegmentEntryText(s));
  for (const TSchalter& s : model_.switches) AddEntry(switches_, SwitchEntryText(config_->system_type, s));
  FillPanels();
  RecomputeGroups();
}

void TFrmNetList::RecomputeGroups() {
  groups_->clear();
  QFont f = message_->font();
  f.setBold(false);
  message_->setFont(f);
  message_->setStyleSheet(QString());
  message_->clear();
  if (!compiled_) {
    message_->setStyleSheet(QStringLiteral("color: red"));
    message_->setText(Lines(error_));
  } else if (model_.switches_incomplete) {
    for (TDevice& d : model_.devices) d.feeder_groups = {};
    f.setBold(true);
    message_->setFont(f);
    message_->setStyleSheet(QStringLiteral("color: red"));
    message_->setText(QTr(tx::netlist::SwitchesUndefined));
  } else {
    const TAbgangGruppen g = FindAbgangGruppen(model_, config_->master_id);
    for (size_t i = 0; i < g.groups.size(); ++i)
      AddEntry(groups_, Format("%d\t%s\t%s", {static_cast<int>(i + 1), GroupMeasurementText(g.groups[i]),
                                              GroupFeedersText(model_, g.groups[i])}));
    if (g.unassigned > 0) message_->setText(Lines(Format(lang::Tr(tx::netlist::TooManyGroups), {g.unassigned})));
  }
  for (const GroupCell& c : group_cells_) {
    const TDevice* d = model_.devices.Get(c.device);
    c.item->setText(Q(FeederGroupText(d ? d->feeder_groups[static_cast<size_t>(c.input - 1)] : 0)));
  }
}

QCheckBox* TFrmNetList::InputCheckBox(uint8_t device, int input) const {
  auto it = input_boxes_.find({device, input});
  return it == input_boxes_.end() ? nullptr : it->second;
}

void TFrmNetList::AddInputBox(QLayout* layout, uint8_t device, int input, const QString& text) {
  const TSchalter* s = nullptr;
  for (const TSchalter& x : model_.switches)
    if (x.device == device && x.input == input) s = &x;
  if (!s) return;
  auto* box = new QCheckBox(text);
  box->setObjectName(QStringLiteral("CbxInput_%1_%2").arg(device).arg(input));
  box->setChecked(s->closed);
  connect(box, &QCheckBox::toggled, this, [this, device, input](bool on) { OnInputToggled(device, input, on); });
  layout->addWidget(box);
  input_boxes_[{device, input}] = box;
}

void TFrmNetList::OnInputToggled(uint8_t device, int input, bool on) {
  if (TSchalter* s = model_.switches.FindByInput(device, input)) s->closed = on;
  RecomputeGroups();
}

// A table of inputs: rows (voltage?, number), columns input, segment, ratio, nominal, group.
QWidget* TFrmNetList::InputTable(const TDevice& dev, const std::vector<std::pair<bool, int>>& rows,
                                 const QString& current_prefix) {
  auto* t = new QTableWidget(static_cast<int>(rows.size()), 5);
  t->setObjectName(QStringLiteral("GrdInputs_%1").arg(dev.id));
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->verticalHeader()->hide();
  t->setHorizontalHeaderLabels(ListTexts(tx::netlist::InputColumns));
  const bool dm = config_->system_type == stZYRDM;
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const auto [voltage, n] = rows[static_cast<size_t>(r)];
    QString cells[5];
    if (voltage) {
      const TVoltageInput& u = dev.U(n);
      cells[0] = Q(Format(dm ? "U%d" : "Uen%d", {n}));
      cells[1] = u.segment ? QString::number(u.segment) : QStringLiteral("-");
      cells[2] = Number(u.knu);
      cells[3] = Number(u.vnom);
    } else {
      const TCurrentInput& i = dev.I(n);
      cells[0] = current_prefix.isEmpty() ? Q(Format("Io%d", {n}))
                                          : current_prefix + QString::number((n - 1) % 8 + 1);
      cells[1] = i.segment ? QString::number(i.segment) : QStringLiteral("-");
      cells[2] = Number(i.kni);
      cells[3] = Number(i.inom);
    }
    for (int c = 0; c < 5; ++c) t->setItem(r, c, new QTableWidgetItem(cells[c]));
    if (!voltage && n <= kNetFeederGroupInputs) group_cells_.push_back({dev.id, n, t->item(r, 4)});
  }
  t->resizeColumnsToContents();
  t->setMinimumHeight(t->horizontalHeader()->height() + 4 + t->verticalHeader()->length());
  return t;
}

QWidget* TFrmNetList::DevicePanel(const TDevice& dev) {
  auto* box = new QGroupBox(Q(Format(lang::Tr(tx::netlist::DevicePanel), {DeviceIdText(dev.id)})));
  box->setObjectName(QStringLiteral("FmeDevice_%1").arg(dev.id));
  auto* lay = new QVBoxLayout(box);
  if (config_->system_type != stZYRDM) {
    std::vector<std::pair<bool, int>> rows;
    for (int n = 1; n <= 4; ++n) rows.push_back({true, n});
    for (int n = 1; n <= 4; ++n) rows.push_back({false, n});
    lay->addWidget(InputTable(dev, rows, QString()));
    auto* inputs = new QHBoxLayout;
    for (int n = 1; n <= 16; ++n) AddInputBox(inputs, dev.id, n, Q(Format("BI%2.2d", {n})));
    inputs->addStretch(1);
    lay->addLayout(inputs);
    return box;
  }
  // ZYR-DM: a panel per measuring board (its voltage input and eight channels) and per
  // binary input board, for the boards the net list uses.
  auto* boards = new QHBoxLayout;
  for (int b = 1; b <= 5; ++b) {
    bool used = dev.U(b).segment != 0;
    for (int c = 1; c <= 8; ++c) used |= dev.I(8 * (b - 1) + c).segment != 0;
    if (!used) continue;
    auto* board = new QGroupBox(Q(Format(lang::Tr(tx::netlist::BoardPanel), {b})));
    auto* bl = new QVBoxLayout(board);
    std::vector<std::pair<bool, int>> rows{{true, b}};
    for (int c = 1; c <= 8; ++c) rows.push_back({false, 8 * (b - 1) + c});
    bl->addWidget(InputTable(dev, rows, QStringLiteral("I%1").arg(b)));
    boards->addWidget(board);
  }
  boards->addStretch(1);
  lay->addLayout(boards);
  auto* bio = new QHBoxLayout;
  for (int b = 1; b <= 8; ++b) {
    bool used = false;
    for (int i = 1; i <= 16; ++i) used |= dev.BI(16 * (b - 1) + i).switch_id != 0;
    if (!used) continue;
    auto* board = new QGroupBox(Q(Format(lang::Tr(tx::netlist::BinBoardPanel), {b})));
    auto* bl = new QVBoxLayout(board);
    for (int i = 1; i <= 16; ++i) AddInputBox(bl, dev.id, 16 * (b - 1) + i, Q(Format("BI%d%2.2d", {b, i})));
    bio->addWidget(board);
  }
  bio->addStretch(1);
  lay->addLayout(bio);
  return box;
}

void TFrmNetList::FillPanels() {
  input_boxes_.clear();
  group_cells_.clear();
  auto* host = new QWidget;
  auto* lay = new QVBoxLayout(host);
  for (const TDevice& d : model_.devices) lay->addWidget(DevicePanel(d));
  bool any_virtual = false;
  for (const TBinaryInput& v : model_.virtual_inputs) any_virtual |= v.switch_id != 0;
  if (any_virtual) {
    auto* box = new QGroupBox(QTr(tx::netlist::VirtualPanel));
    box->setObjectName(QStringLiteral("FmeVirtual"));
    auto* bl = new QHBoxLayout(box);
    for (int n = 1; n <= kNetVirtualInputs; ++n)
      if (model_.virtual_inputs[static_cast<size_t>(n)].switch_id) AddInputBox(bl, 0, n, Q(Format("I&&C:BI%3.3d", {n})));
    bl->addStretch(1);
    lay->addWidget(box);
  }
  lay->addStretch(1);
  panels_area_->setWidget(host);  // deletes the previous panels
}

void TFrmNetList::FillGrid() {
  filling_grid_ = true;
  const std::vector<std::string>& lines = config_->switches;
  grid_->setRowCount(static_cast<int>(lines.size()));
  for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
    auto* num = new QTableWidgetItem(QString::number(r + 1));
    num->setFlags(num->flags() & ~Qt::ItemIsEditable);
    grid_->setItem(r, 0, num);
    std::vector<std::string_view> fields = SplitAt(lines[static_cast<size_t>(r)], '\t');
    for (int c = 1; c < kGridColumns; ++c)
      grid_->setItem(r, c, new QTableWidgetItem(c <= static_cast<int>(fields.size()) ? Q(std::string(fields[static_cast<size_t>(c - 1)])) : QString()));
  }
  filling_grid_ = false;
}

void TFrmNetList::ShowNetlist(bool on) {
  if (AcnShowNetlist->isChecked() != on) AcnShowNetlist->setChecked(on);  // calls back
  grid_->setVisible(on);
}

void TFrmNetList::InsertLine() {
  std::vector<std::string>& lines = config_->switches;
  int row = grid_->currentRow();
  if (row < 0 || row > static_cast<int>(lines.size())) row = static_cast<int>(lines.size());
  lines.insert(lines.begin() + row, std::string());
  LinesChanged();
  grid_->setCurrentCell(row, 1);
}

void TFrmNetList::DeleteLine() {
  std::vector<std::string>& lines = config_->switches;
  const int row = grid_->currentRow();
  if (row < 0 || row >= static_cast<int>(lines.size())) return;
  lines.erase(lines.begin() + row);
  LinesChanged();
  if (grid_->rowCount() > 0) grid_->setCurrentCell(std::min(row, grid_->rowCount() - 1), 1);
}

void TFrmNetList::OnCellChanged(QTableWidgetItem* item) {
  if (filling_grid_ || item->column() == 0) return;
  const int row = item->row();
  std::vector<std::string>& lines = config_->switches;
  if (row < 0 || row >= static_cast<int>(lines.size())) return;
  // The fields up to the last non-empty cell, one TAB per column step.
  int last = 0;
  for (int c = 1; c < kGridColumns; ++c)
    if (grid_->item(row, c) && !grid_->item(row, c)->text().isEmpty()) last = c;
  std::string line;
  for (int c = 1; c <= last; ++c) {
    if (c > 1) line += '\t';
    if (grid_->item(row, c)) line += S(grid_->item(row, c)->text());
  }
  lines[static_cast<size_t>(row)] = line;
  config_->tracker.ChangePerm();
  config_->FinalCheck();
  Compile();
  Fill();
}

void TFrmNetList::LinesChanged() {
  config_->tracker.ChangePerm();
  config_->FinalCheck();
  Refresh();
}

void TFrmNetList::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F5) {
    RecomputeGroups();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

}  // namespace trivex
