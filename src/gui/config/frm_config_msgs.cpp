#include "config/frm_config_msgs.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QResizeEvent>

#include "app/qt_text.h"
#include "lang/texts_msgs.h"

namespace trivex {

namespace {
void FillTable(QTableWidget* t, const std::vector<std::string>& heads,
               const std::vector<std::vector<std::string>>& rows) {
  t->setColumnCount(static_cast<int>(heads.size()));
  QStringList h;
  for (const auto& s : heads) h << Q(s);
  t->setHorizontalHeaderLabels(h);
  t->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < static_cast<int>(rows[static_cast<size_t>(r)].size()); ++c)
      t->setItem(r, c, new QTableWidgetItem(Q(rows[static_cast<size_t>(r)][static_cast<size_t>(c)])));
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->verticalHeader()->hide();
}
}  // namespace

TFrmConfigMsgs::TFrmConfigMsgs(QWidget* parent, const TConfigMsgs& msgs) : QDialog(parent), msgs_(msgs) {
  setObjectName(QStringLiteral("FrmConfigMsgs"));
  resize(760, 520);
  label_ = new QLabel(this);
  diff_ = new QTableWidget(this);
  diff_->setObjectName(QStringLiteral("GrdMsgs"));
  ids_caption_ = new QLabel(this);
  ids_ = new QTableWidget(this);
  ids_->setObjectName(QStringLiteral("GrdIds"));
  clip_ = new QPushButton(this);
  ok_ = new QPushButton(this);
  discard_ = new QPushButton(this);
  connect(clip_, &QPushButton::clicked, this, &TFrmConfigMsgs::CopyToClipboard);
  connect(ok_, &QPushButton::clicked, this, [this] { done(TConfigMsgs::kOk); });
  connect(discard_, &QPushButton::clicked, this, [this] { done(TConfigMsgs::kDiscard); });
  Fill();
}

void TFrmConfigMsgs::Fill() {
  setWindowTitle(Q(msgs_.Title()));
  label_->setText(Q(msgs_.Label()));
  ids_caption_->setText(QTr(tx::msgs::IdsCaption));
  FillTable(diff_, msgs_.ColumnHeads(), msgs_.Rows());
  FillTable(ids_, TConfigMsgs::IdColumnHeads(), msgs_.IdRows());
  clip_->setText(QTr(tx::msgs::BtnClipCopy));
  const bool consistency = msgs_.mode() == TConfigMsgs::kConsistency;
  ok_->setText(QTr(consistency ? tx::msgs::BtnAccept : tx::msgs::BtnOk));
  discard_->setText(QTr(tx::msgs::BtnDiscard));
  discard_->setVisible(consistency);
  QPushButton* def = consistency && msgs_.transfer_errors ? discard_ : ok_;
  def->setDefault(true);
  def->setFocus();
  Layout();
}

int TFrmConfigMsgs::Show() { return exec(); }

void TFrmConfigMsgs::CopyToClipboard() {
  const std::string text = msgs_.ClipboardText();
  if (!text.empty()) QApplication::clipboard()->setText(Q(text));
}

void TFrmConfigMsgs::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  Layout();
}

void TFrmConfigMsgs::Layout() {
  const int w = width(), h = height(), m = 6;
  const int label_h = label_->sizeHint().height();
  label_->setGeometry(m, m, w - 2 * m, label_h);
  const int diff_h = std::max(40, h * 3 / 4 - 44);
  diff_->setGeometry(m, m + label_h + 2, w - 2 * m, diff_h);
  const int top = m + label_h + 2 + diff_h + m;
  ids_caption_->setGeometry(m, top, w / 2, label_h);
  const int btn_w = 110, btn_h = ok_->sizeHint().height();
  const int ids_w = w - 3 * m - btn_w;
  const int ids_top = top + label_h + 2;
  ids_->setGeometry(m, ids_top, ids_w, std::max(30, h - ids_top - m));
  const int bx = w - m - btn_w;
  ok_->setGeometry(bx, h - m - btn_h, btn_w, btn_h);
  discard_->setGeometry(bx, h - 2 * (m + btn_h), btn_w, btn_h);
  clip_->setGeometry(bx, h - 3 * (m + btn_h), btn_w, btn_h);
  // Column widths.
  const int avail = diff_->viewport()->width();
  if (diff_->columnCount() == 5) {
    if (msgs_.mode() == TConfigMsgs::kSend) {
      diff_->setColumnWidth(1, 60);
      diff_->setColumnWidth(2, 100);
      diff_->setColumnWidth(3, 60);
      const int rest = avail - 220;
      const int c0 = std::max(200, rest * 3 / 5);
      diff_->setColumnWidth(0, c0);
      diff_->setColumnWidth(4, std::max(120, rest - c0));
    } else {
      diff_->setColumnWidth(1, 60);
      diff_->setColumnWidth(2, 100);
      const int rest = avail - 160;
      int c0 = std::max(200, rest / 2);
      const int each = std::max(80, (rest - c0) / 2);
      diff_->setColumnWidth(3, each);
      diff_->setColumnWidth(4, each);
      c0 = std::max(100, rest - 2 * each);
      diff_->setColumnWidth(0, c0);
    }
  }
  ids_->setColumnWidth(0, 40);
  ids_->setColumnWidth(1, 80);
  ids_->setColumnWidth(2, std::max(80, ids_->viewport()->width() - 120));
}

}  // namespace trivex
