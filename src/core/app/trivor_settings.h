#pragma once
// The program's own settings: the main key "Trivor" and the options key "Trivor/Options".
// (Dialog directories and logger values of the main key belong to TTerminalData.)
#include <optional>

#include "app/settings_store.h"

namespace trivex {

inline constexpr int kPageCount = 7;
enum PageIndex : int {
  kPageZyrD = 0, kPageZyrDm = 1, kPageRegler = 2, kPagePanel = 3, kPageTerminal = 4,
  kPageLogbuch = 5, kPageOnline = 6
};
// The visibility level of expert features when nothing else is stored.
inline constexpr int kBuiltInVisibility = 0;

struct WindowBounds {
  int left = 0, top = 0, width = 0, height = 0;
};

struct TrivorSettings {
  int active_page_index = 0;        // page in front at the end
  bool has_active_page_index = false;
  int active_page_index_zyrd = -1;  // sub-pages of the configuration views
  int active_page_index_zyrdm = -1;
  bool save_before_send = false;
  bool read_only_on_exit = false;
  bool argv0_initial_dir = true;    // "Data Folder=EXE Folder"
  bool enable_new_features = false;
  std::optional<WindowBounds> bounds;
  int language = 0;
  int visibility = kBuiltInVisibility;
  int service_dm_mode = -1;         // -1 table and pointers, 1 tree view and point chart
  int default_idx_carrier_frequency = 0;

  void Read(SettingsStore& store);
  // Also deletes the obsolete value "SystemType".
  void Write(SettingsStore& store) const;
};

struct OptionsSettings {
  bool visible[kPageCount] = {true, true, false, true, true, true, true};
  std::optional<int> traegerfrequenz;  // nominal frequency code last chosen (1 = 16.7 Hz)

  void Read(SettingsStore& store);
  void Write(SettingsStore& store) const;
  static const char* VisibleValueName(int page);
};

// The link values of "Terminal Settings" that the main window keeps.
struct TerminalKeyOptions {
  bool disconnect_on_deactivate = false;  // "TrennenWennInaktiv" (older name moved)
  void Read(SettingsStore& store);
  void Write(SettingsStore& store) const;
};

}  // namespace trivex
