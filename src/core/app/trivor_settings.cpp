#include "app/trivor_settings.h"

#include "app/x_registry.h"

namespace trivex {

void TrivorSettings::Read(SettingsStore& s) {
  XRegistry r(s, kKeyTrivor);
  has_active_page_index = r.HasValue("ActivePageIndex");
  active_page_index = r.ReadInt("ActivePageIndex", 0);
  active_page_index_zyrd = r.ReadInt("ActivePageIndexZyrD", -1);
  active_page_index_zyrdm = r.ReadInt("ActivePageIndexZyrDM", -1);
  save_before_send = r.ReadBool("SaveBeforeSend", false);
  read_only_on_exit = r.ReadBool("ReadOnlyOnExit", false);
  argv0_initial_dir = r.ReadBool("Argv0InitialDir", true);
  enable_new_features = r.ReadBool("EnableNewFeatures", false);
  if (r.HasValue("AppLeft") && r.HasValue("AppTop") && r.HasValue("AppWidth") &&
      r.HasValue("AppHeight")) {
    WindowBounds b;
    b.left = r.ReadInt("AppLeft", 0);
    b.top = r.ReadInt("AppTop", 0);
    b.width = r.ReadInt("AppWidth", 0);
    b.height = r.ReadInt("AppHeight", 0);
    if (b.width > 0 && b.height > 0) bounds = b;
  }
  language = r.ReadInt("Language", 0);
  if (language < 0 || language > 2) language = 0;
  visibility = r.ReadInt("Visibility", kBuiltInVisibility);
  service_dm_mode = r.ReadInt("ServiceDMMode", -1);
  default_idx_carrier_frequency = r.ReadInt("DefaultIdxCarrierFrequency", 0);
  if (default_idx_carrier_frequency < 0 || default_idx_carrier_frequency > 2)
    default_idx_carrier_frequency = 0;
}

void TrivorSettings::Write(SettingsStore& s) const {
  XRegistry r(s, kKeyTrivor);
  r.WriteInt("ActivePageIndex", active_page_index);
  r.WriteInt("ActivePageIndexZyrD", active_page_index_zyrd);
  r.WriteInt("ActivePageIndexZyrDM", active_page_index_zyrdm);
  r.WriteBool01("SaveBeforeSend", save_before_send);
  r.WriteBool01("ReadOnlyOnExit", read_only_on_exit);
  r.WriteBool01("Argv0InitialDir", argv0_initial_dir);
  r.WriteBool01("EnableNewFeatures", enable_new_features);
  if (bounds) {
    r.WriteInt("AppLeft", bounds->left);
    r.WriteInt("AppTop", bounds->top);
    r.WriteInt("AppWidth", bounds->width);
    r.WriteInt("AppHeight", bounds->height);
  }
  r.WriteInt("Language", language);
  r.WriteInt("Visibility", visibility);
  r.WriteInt("ServiceDMMode", service_dm_mode);
  r.WriteInt("DefaultIdxCarrierFrequency", default_idx_carrier_frequency);
  r.Delete("SystemType");
}

namespace {
constexpr const char* kVisibleNames[kPageCount] = {
    "ZYR-D Visible", "ZYR-DM Visible", "VAD-AZ Visible", "Panel Visible",
    "Terminal Visible", "Logbuch Visible", "Service Visible"};
// The first three are integer booleans, the others "TRUE"/"FALSE".
constexpr bool kIntBool[kPageCount] = {true, true, true, false, false, false, false};
}  // namespace

const char* OptionsSettings::VisibleValueName(int page) { return kVisibleNames[page]; }

void OptionsSettings::Read(SettingsStore& s) {
  XRegistry r(s, kKeyOptions);
  OptionsSettings def;
  for (int p = 0; p < kPageCount; ++p) visible[p] = r.ReadBool(kVisibleNames[p], def.visible[p]);
  if (r.HasValue("Traegerfrequenz")) traegerfrequenz = r.ReadInt("Traegerfrequenz", 0);
}

void OptionsSettings::Write(SettingsStore& s) const {
  XRegistry r(s, kKeyOptions);
  for (int p = 0; p < kPageCount; ++p) {
    if (kIntBool[p]) r.WriteBoolInt(kVisibleNames[p], visible[p]);
    else r.WriteBoolText(kVisibleNames[p], visible[p]);
  }
  if (traegerfrequenz) r.WriteInt("Traegerfrequenz", *traegerfrequenz);
}

void TerminalKeyOptions::Read(SettingsStore& s) {
  XRegistry r(s, kKeyTerminal);
  if (r.HasValue("TrennenFallsInaktiv")) {
    // The older name of the value is moved to the current one.
    int old = r.ReadInt("TrennenFallsInaktiv", 0);
    r.Delete("TrennenFallsInaktiv");
    if (!r.HasValue("TrennenWennInaktiv")) r.WriteInt("TrennenWennInaktiv", old);
  }
  disconnect_on_deactivate = r.ReadInt("TrennenWennInaktiv", 0) != 0;
}

void TerminalKeyOptions::Write(SettingsStore& s) const {
  XRegistry r(s, kKeyTerminal);
  r.WriteInt("TrennenWennInaktiv", disconnect_on_deactivate ? 1 : 0);
}

}  // namespace trivex
