#include "config/config_transfer.h"

#include <QMessageBox>

#include "app/frm_trivor.h"
#include "app/qt_text.h"
#include "config/config_checker.h"
#include "config/device_id.h"
#include "config/frm_config_msgs.h"
#include "config/frm_dlg_system_frequenz.h"
#include "config/net_list_converter.h"
#include "config/reported_station.h"
#include "lang/format.h"
#include "lang/texts_app.h"
#include "lang/texts_transfer.h"
#include "app/dlg_logbuch_holen.h"
#include "protocol/zyr_d_config_pump.h"

namespace trivex {

namespace {
// Puts the link back as it was before an action: open when it was open.
class LinkStateGuard {
 public:
  explicit LinkStateGuard(TFrmTrivor& main) : main_(main), was_active_(main.Link().Active()) {}
  ~LinkStateGuard() {
    if (was_active_ && !main_.Link().Active()) main_.Link().Open();
    else if (!was_active_ && main_.Link().Active()) main_.Link().Close();
    main_.RefreshLinkPanel();
  }

 private:
  TFrmTrivor& main_;
  bool was_active_;
};

// The engine with the main window as its user interface; the link stays closed afterwards
// while the application is inactive and will reopen it itself.
std::unique_ptr<TZyrDConfigPump> MakePump(TFrmTrivor& main, TConfigTransfer& t) {
  auto pump = std::make_unique<TZyrDConfigPump>(main.Link(), main);
  pump->final_pause_ms = t.final_pause_ms;
  pump->on_info = [&t](const std::string& caption, const std::string& text) {
    t.show_message(caption, text, false);
  };
  pump->ask_frequency = [&main](int& code) {
    TFrmDlgSystemFrequenz dlg(&main, main.ZyrD());
    dlg.on_default_changed = [&main](int c) { main.Settings().default_idx_carrier_frequency = c; };
    if (dlg.exec() != QDialog::Accepted) return false;
    code = main.ZyrD().nominal_frequency;
    return true;
  };
  return pump;
}

}  // namespace

TConfigTransfer::TConfigTransfer(TFrmTrivor& main) : main_(main) {
  choose_device = [this](TDeviceChooser& chooser) {
    TDlgLogbuchHolen dlg(&main_, chooser);
    return dlg.exec() == QDialog::Accepted;
  };
  show_result = [this](const TConfigMsgs& msgs) {
    TFrmConfigMsgs w(&main_, msgs);
    return w.Show();
  };
  show_message = [this](const std::string& caption, const std::string& text, bool error) {
    if (error) QMessageBox::critical(&main_, Q(caption), Q(text));
    else QMessageBox::information(&main_, Q(caption), Q(text));
  };
}

bool TConfigTransfer::Choose(const std::string& caption, const std::string& allowed) {
  chooser_.SetCaption(caption);
  chooser_.SetAllowedTypes(allowed);
  chooser_.Scan(main_.Link());
  if (chooser_.Selected() < 0 && chooser_.Count() > 0) chooser_.SelectIndex(0);
  return choose_device(chooser_) && chooser_.OkEnabled();
}

void TConfigTransfer::Read() {
  LinkStateGuard link_state(main_);
  main_.Link().Close();
  if (!Choose(lang::Tr(tx::transfer::ReadTitle), "ZYR-D")) return;
  const TChooserEntry device = chooser_.SelectedEntry();
  const int address = ParseDeviceIdOrLocal(device.address);

  auto read = std::make_unique<TZyrDData>();
  TReportedStation reported;
  auto pump = MakePump(main_, *this);
  main_.transfer_running = true;
  const int result = pump->Read(*read, reported, address);
  main_.transfer_running = false;
  if (result == 1) return;
  RebuildNetListText(*read, reported);

  TZyrDConfigChecker checker;
  try {
    checker.CheckConsistency(pump->FirmwareVersion(), *read, reported, &main_.ZyrD());
  } catch (const ENetList& e) {
    show_message(lang::Tr(tx::transfer::ErrorCaption), Format(lang::Tr(tx::transfer::NetListError), {e.what()}), true);
    return;
  }
  checker.Msgs().transfer_errors = UserAbort();
  if (show_result(checker.Msgs()) != TConfigMsgs::kOk) return;

  // Accepted: the read configuration becomes the page's data.
  main_.CommitView();
  TZyrDData& target = main_.ZyrD();
  target.Assign(*read);
  target.last_read = read->last_read;
  target.last_read_version = read->last_read_version;
  target.display_name = ReadConfigDisplayName(device.type, address, device.name);
  main_.RefreshNetList(target);
  target.tracker.ChangePerm();
  if (main_.CurrentPage() == kPageZyrD) main_.RefreshView();
  else main_.SelectPage(kPageZyrD);
  main_.RefreshCaption();
}

void TConfigTransfer::Send() {
  TZyrDData& config = main_.ZyrD();
  main_.CommitView();
  if (main_.Settings().save_before_send && !config.file_path.empty()) main_.Save();

  LinkStateGuard link_state(main_);
  main_.Link().Close();
  if (!Choose(lang::Tr(tx::transfer::SendTitleZyrD), "ZYR-D")) {
    show_message(lang::Tr(tx::transfer::ErrorCaption), lang::Tr(tx::transfer::AbortWrongType), true);
    return;
  }
  if (ParseDeviceIdOrLocal(chooser_.SelectedEntry().address) != config.master_id) {
    show_message(lang::Tr(tx::transfer::ErrorCaption), lang::Tr(tx::transfer::AbortMasterRequested), true);
    return;
  }
  TNetListData station;
  try {
    TNetListConverter::Compile(stZYRD, config.master_id, config.switches, station);
  } catch (const ENetList& e) {
    show_message(lang::Tr(tx::transfer::ErrorCaption), Format(lang::Tr(tx::transfer::NetListError), {e.what()}), true);
    return;
  }
  auto pump = MakePump(main_, *this);
  main_.transfer_running = true;
  const int result = pump->Send(config, station);
  main_.transfer_running = false;
  if (result == 2) show_result(pump->Msgs());
  if (main_.Settings().save_before_send && !config.file_path.empty() && !config.tracker.Saved()) main_.Save();
  main_.RefreshView();
  main_.RefreshCaption();
}

void TConfigTransfer::Verify() {
  TZyrDData& saved = main_.ZyrD();
  LinkStateGuard link_state(main_);
  main_.Link().Close();
  auto read = std::make_unique<TZyrDData>();
  TReportedStation reported;
  auto pump = MakePump(main_, *this);
  main_.transfer_running = true;
  const int result = pump->Read(*read, reported, saved.master_id);
  main_.transfer_running = false;
  if (result != 0 || UserAbort()) return;
  main_.CommitView();
  RebuildNetListText(*read, reported);
  TNetListData compiled;
  try {
    TNetListConverter::Compile(stZYRD, saved.master_id, saved.switches, compiled);
  } catch (const ENetList& e) {
    show_message(lang::Tr(tx::transfer::ErrorCaption), Format(lang::Tr(tx::transfer::NetListError), {e.what()}), true);
    return;
  }
  read->AfterLoad();
  TZyrDConfigChecker checker;
  checker.Verify(pump->FirmwareVersion(), saved, reported, *read, compiled);
  show_result(checker.Msgs());
}

}  // namespace trivex
