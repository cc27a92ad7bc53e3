#include "config/frm_config_summary.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "config/device_id.h"
#include "config/frm_net_list.h"
#include "lang/format.h"
#include "lang/texts_app.h"
#include "lang/texts_netlist.h"

namespace trivex {

TFrmConfigSummary::TFrmConfigSummary(QWidget* parent, TZyrData& data) : TViewForm(parent), data_(data) {
  setObjectName(QStringLiteral("FrmConfigSummary"));
  auto* lay = new QVBoxLayout(this);
  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("LblCaption"));
  QFont f = caption_->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.3);
  caption_->setFont(f);
  master_ = new QLabel(this);
  table_ = new QTableWidget(this);
  table_->setObjectName(QStringLiteral("GrdDevices"));
  table_->setColumnCount(4);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->hide();
  lay->addWidget(caption_);
  lay->addWidget(master_);
  lay->addWidget(table_, 1);
  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("MnuConfiguration"));
  menu_->menuAction()->setProperty("groupIndex", 10);
  show_netlist_ = menu_->addAction(QString());
  show_netlist_->setObjectName(QStringLiteral("MnuShowNetlist"));
  connect(show_netlist_, &QAction::triggered, this, [this] { TFrmNetList::ShowFor(this, data_); });
}

void TFrmConfigSummary::UpdateLanguageStrings() {
  QStringList heads;
  const char* list = lang::Tr(tx::app::SummaryColumns);
  for (int i = 0; i < lang::ListCount(list); ++i) heads << Q(std::string(lang::ListItem(list, i)));
  table_->setHorizontalHeaderLabels(heads);
  menu_->setTitle(QTr(tx::netlist::MenuConfiguration));
  show_netlist_->setText(QTr(tx::netlist::ShowNetlist));
  DataToControls();
}

void TFrmConfigSummary::DataToControls() {
  caption_->setText(Q(data_.CaptionText()));
  master_->setText(Q(Format(lang::Tr(tx::app::SummaryMaster), {DeviceIdText(data_.master_id)})));
  table_->setRowCount(data_.DeviceCount());
  for (int p = 0; p < data_.DeviceCount(); ++p) {
    const TDeviceRecord& r = data_.devices[static_cast<size_t>(p)];
    const QString cells[4] = {Q(DeviceIdText(r.id)), Q(r.name), Q(ComSettingsText(r.com1)), Q(ComSettingsText(r.com2))};
    for (int c = 0; c < 4; ++c) table_->setItem(p, c, new QTableWidgetItem(cells[c]));
  }
}

}  // namespace trivex
