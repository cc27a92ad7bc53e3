#pragma once
// The COM menu: one radio item per serial port ("COM &n" with the device path beside it),
// "COM Settings", "Use Kxo Server", "Connection...", "Connection Settings...", "Disconnect",
// "Disconnect On Deactivate", "Read COM-ports again" and "Modem...". It carries out the link
// commands through the combined link and tells the main window when the link description
// in status panel 1 must be redrawn.
//
// Visibility: items with a positive tag (port items, COM Settings, Disconnect, Modem and one
// separator) only without the bus server, items with a negative tag (Connection...,
// Connection Settings...) only with it; "Use Kxo Server" only where the bus server is
// installed. While a modem connection is up, every item but "Modem..." is disabled.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/settings_store.h"
#include "link/kombi_communicator.h"
#include "link/qt_link_ui.h"

namespace trivex {

class TFrmTynetLog;

class TComMenu : public QObject {
  Q_OBJECT
 public:
  // Fills `menu` (its old items are removed). Dialogs are owned by `dialog_parent`.
  TComMenu(TKombiCommunicator& link, SettingsStore& store, QMenu* menu, QWidget* dialog_parent);
  ~TComMenu() override;

  // Builds every item again (after the port table changed).
  void Rebuild();
  // Checks, visibility and enabled states from the link's present state.
  void Refresh();
  void UpdateLanguageStrings();

  bool DisconnectOnDeactivate() const { return disconnect_on_deactivate_->isChecked(); }
  void SetDisconnectOnDeactivate(bool on) { disconnect_on_deactivate_->setChecked(on); }

  // Asked when a port item is chosen: true when the page in front needs the link open
  // (Panel, Terminal), so that the link opens on the new port although it was closed.
  std::function<bool()> page_needs_link;

  // The "Tynet Logfile" window (created on first use; the main window's Options menu item
  // calls this).
  void ShowExchangeLog();

  // For tests and the main window.
  QMenu* Menu() const { return menu_; }
  QAction* PortItem(int com_number) const;
  QAction* ComSettingsItem() const { return com_settings_; }
  QAction* UseServerItem() const { return use_server_; }
  QAction* ConnectionItem() const { return connection_; }
  QAction* ConnectionSettingsItem() const { return connection_settings_; }
  QAction* DisconnectItem() const { return disconnect_; }
  QAction* DisconnectOnDeactivateItem() const { return disconnect_on_deactivate_; }
  QAction* RescanItem() const { return rescan_; }
  QAction* ModemItem() const { return modem_; }
  // The command of a port item (also what clicking it does).
  void SelectPort(int com_number);
  void ComSettings();
  void Disconnect();
  void RescanPorts();

 signals:
  void linkDescriptionChanged();
  void modemRequested();
  void disconnectOnDeactivateToggled(bool on);

 private:
  QAction* AddItem(const char* name, int tag);
  LinkUi& Ui();

  TKombiCommunicator& link_;
  SettingsStore& store_;
  QMenu* menu_;
  QPointer<QWidget> parent_;
  TQtLinkUi own_ui_;
  QActionGroup* port_group_ = nullptr;
  std::vector<QAction*> port_items_;
  QAction *separator_ = nullptr, *com_settings_ = nullptr, *use_server_ = nullptr, *connection_ = nullptr,
          *connection_settings_ = nullptr, *disconnect_ = nullptr, *disconnect_on_deactivate_ = nullptr,
          *rescan_ = nullptr, *modem_separator_ = nullptr, *modem_ = nullptr;
  QTimer server_timer_;
  QPointer<TFrmTynetLog> log_window_;
};

// Status panel 1 shows the link description red while a modem connection is up, in the
// normal text colour while the link is active and grey while it is inactive.
enum class TLinkPanelState { kInactive, kActive, kModem };
TLinkPanelState LinkPanelState(const TKombiCommunicator& link);

}  // namespace trivex
