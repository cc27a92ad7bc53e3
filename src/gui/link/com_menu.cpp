#include "link/com_menu.h"

#include <QApplication>
#include <QPalette>

#include "app/qt_text.h"
#include "lang/format.h"
#include "lang/texts_link.h"
#include "link/frm_tynet_log.h"
#include "link/link_settings.h"

namespace trivex {
namespace {
// Tags of the items: positive ones belong to the serial port, negative ones to the bus
// server; port items carry their COM number + 10.
constexpr int kTagSerial = 1;
constexpr int kTagServer = -1;
constexpr int kPortTagBase = 10;
}  // namespace

TLinkPanelState LinkPanelState(const TKombiCommunicator& link) {
  if (link.Serial().ModemMode()) return TLinkPanelState::kModem;
  return link.Active() ? TLinkPanelState::kActive : TLinkPanelState::kInactive;
}


TComMenu::TComMenu(TKombiCommunicator& link, SettingsStore& store, QMenu* menu, QWidget* dialog_parent)
    : QObject(menu), link_(link), store_(store), menu_(menu), parent_(dialog_parent), own_ui_(dialog_parent) {
  server_timer_.setInterval(TKombiCommunicator::kServerTimerMs);
  connect(&server_timer_, &QTimer::timeout, this, [this] { link_.ServerTimerTick(); });
  if (!link_.on_server_end_request) link_.on_server_end_request = [] { QApplication::quit(); };
  Rebuild();
}

TComMenu::~TComMenu() = default;

LinkUi& TComMenu::Ui() { return link_.Ui() ? *link_.Ui() : own_ui_; }

QAction* TComMenu::AddItem(const char* name, int tag) {
  auto* a = menu_->addAction(QString());
  a->setObjectName(QString::fromLatin1(name));
  a->setData(tag);
  return a;
}

QAction* TComMenu::PortItem(int com_number) const {
  for (QAction* a : port_items_)
    if (a->data().toInt() == com_number + kPortTagBase) return a;
  return nullptr;
}

void TComMenu::Rebuild() {
  const bool keep_option = disconnect_on_deactivate_ && disconnect_on_deactivate_->isChecked();
  menu_->clear();
  port_items_.clear();
  delete port_group_;
  port_group_ = new QActionGroup(this);
  port_group_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  const TCommunicator& serial = link_.Serial();
  for (int i = 1; i <= serial.PortCount(); ++i) {
    const int number = serial.GetComIdx2Num(i);
    QAction* a = AddItem("", number + kPortTagBase);
    a->setObjectName(QStringLiteral("MnuCOM%1").arg(number));
    a->setCheckable(true);
    a->setActionGroup(port_group_);
    connect(a, &QAction::triggered, this, [this, number] { SelectPort(number); });
    port_items_.push_back(a);
  }
  separator_ = menu_->addSeparator();
  separator_->setData(kTagSerial);
  com_settings_ = AddItem("MnuComSettings", kTagSerial);
  connect(com_settings_, &QAction::triggered, this, &TComMenu::ComSettings);
  use_server_ = AddItem("MnuUseKxoServer", 0);
  use_server_->setCheckable(true);
  connect(use_server_, &QAction::triggered, this, [this](bool on) {
    link_.SetUseServer(on);
    Refresh();
    emit linkDescriptionChanged();
  });
  connection_ = AddItem("MnuConnection", kTagServer);
  connect(connection_, &QAction::triggered, this, [this] {
    link_.ChooseConnection();
    Refresh();
    emit linkDescriptionChanged();
  });
  connection_settings_ = AddItem("MnuConnectionSettings", kTagServer);
  connect(connection_settings_, &QAction::triggered, this, [this] {
    link_.ConnectionSettings();
    Refresh();
    emit linkDescriptionChanged();
  });
  disconnect_ = AddItem("MnuDisconnect", kTagSerial);
  connect(disconnect_, &QAction::triggered, this, &TComMenu::Disconnect);
  disconnect_on_deactivate_ = AddItem("MnuDisconnectOnDeactivate", 0);
  disconnect_on_deactivate_->setCheckable(true);
  disconnect_on_deactivate_->setChecked(keep_option);
  connect(disconnect_on_deactivate_, &QAction::toggled, this, &TComMenu::disconnectOnDeactivateToggled);
  rescan_ = AddItem("MnuReadComPorts", 0);
  connect(rescan_, &QAction::triggered, this, &TComMenu::RescanPorts);
  modem_separator_ = menu_->addSeparator();
  modem_separator_->setData(0);
  modem_ = AddItem("MnuModem", kTagSerial);
  connect(modem_, &QAction::triggered, this, &TComMenu::modemRequested);

  if (QAction* current = PortItem(serial.ComNum())) current->setChecked(true);
  UpdateLanguageStrings();
  Refresh();
}

void TComMenu::UpdateLanguageStrings() {
  for (QAction* a : port_items_) {
    const int number = a->data().toInt() - kPortTagBase;
    QString path = Q(link_.Serial().PortPath(number));
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    // The device path stands in the shortcut column, beside the COM number.
    a->setText(Q(Format(lang::Tr(tx::link::MenuComPort), {number})) + QLatin1Char('\t') + path);
  }
  com_settings_->setText(QTr(tx::link::MenuComSettings));
  use_server_->setText(QTr(tx::link::MenuUseServer));
  connection_->setText(QTr(tx::link::MenuConnection));
  connection_settings_->setText(QTr(tx::link::MenuConnectionSettings));
  disconnect_->setText(QTr(tx::link::MenuDisconnect));
  disconnect_on_deactivate_->setText(QTr(tx::link::MenuDisconnectOnDeactivate));
  rescan_->setText(QTr(tx::link::MenuRescan));
  modem_->setText(QTr(tx::link::MenuModem));
  if (log_window_) log_window_->UpdateLanguageStrings();
}

void TComMenu::Refresh() {
  const bool installed = link_.ServerInstalled();
  const bool server = installed && link_.UseServer();
  const bool modem = link_.Serial().ModemMode();
  for (QAction* a : menu_->actions()) {
    const int tag = a->data().toInt();
    if (tag > 0) a->setVisible(!server);
    else if (tag < 0) a->setVisible(server);
    a->setEnabled(!modem || a == modem_);
  }
  use_server_->setVisible(installed);
  use_server_->setChecked(link_.UseServer());
  if (link_.ServerTimerEnabled() && !server_timer_.isActive()) server_timer_.start();
  else if (!link_.ServerTimerEnabled() && server_timer_.isActive()) server_timer_.stop();
}

void TComMenu::SelectPort(int com_number) {
  const bool was_active = link_.Active();
  link_.Close();
  try {
    link_.Serial().SetComNum(com_number);
  } catch (const ECommError& e) {
    // In modem mode the port stays open and cannot change (the menu is disabled then).
    Ui().ShowMessage(TMessageKind::kError, lang::Tr(tx::link::CaptionError), e.what());
  }
  if (QAction* a = PortItem(link_.Serial().ComNum())) a->setChecked(true);
  if (was_active || (page_needs_link && page_needs_link())) link_.Open();
  Refresh();
  emit linkDescriptionChanged();
}

void TComMenu::ComSettings() {
  const bool was_active = link_.Active();
  link_.Close();
  link_.Serial().ExecSettingsDialog(0, Ui());
  if (was_active) link_.Open();
  Refresh();
  emit linkDescriptionChanged();
}

void TComMenu::Disconnect() {
  link_.Close();
  // The item of the port in use, wherever it stands in the menu.
  if (QAction* a = PortItem(link_.Serial().ComNum())) a->setChecked(false);
  Refresh();
  emit linkDescriptionChanged();
}

void TComMenu::RescanPorts() {
  WriteLinkSettings(store_, link_);
  link_.Close();
  ReadLinkSettings(store_, link_);  // rescans the ports and loads their settings again
  link_.Serial().ApplyHandshakeOptions();
  Rebuild();
  link_.Open();
  Refresh();
  emit linkDescriptionChanged();
}

void TComMenu::ShowExchangeLog() {
  if (!log_window_) log_window_ = new TFrmTynetLog(link_, parent_);
  log_window_->show();
  log_window_->raise();
  log_window_->activateWindow();
}

}  // namespace trivex
