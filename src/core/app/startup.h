#pragma once
// The start-up and main-window rules that do not need a window: the command line, the
// start page and sub-page indices, window placement, the progress panel, the caption.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/trivor_settings.h"

namespace trivex {

struct CommandLine {
  bool three_plus = false;           // "-3+": harmonics divisible by three unlocked
  std::optional<int> visibility;     // "-V<n>" with n in -1..1
  int start_page = -1;               // from "ZYR-D", "ZYR-DM" or "VAD-AZ"
  std::string named_type;            // the name as given
  std::vector<std::string> ports;    // "--port PATH": serial ports added by the user
  bool demo = false;                 // "--demo": the program was started on the simulator
};

// Arguments without the program name. Options begin with "-" or "/".
CommandLine ParseCommandLine(const std::vector<std::string>& args);

struct StartPages {
  int start_page = 0;
  int sub_zyrd = 1;
  int sub_zyrdm = 1;
};
// Start page and sub-page indices from the stored values and the command line. When a
// stored sub-page index is missing (negative), both are derived from the flat page index
// that older versions stored; a page named on the command line still wins.
StartPages DeriveStartPages(const TrivorSettings& stored, const CommandLine& cmd);

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};
struct Placement {
  Rect bounds;
  bool maximized = false;
};
// Places the main window from its stored bounds on a screen with the given work area: the
// window keeps at least 32 pixels horizontally and 16 vertically inside the work area; a
// window larger than the screen is maximised.
Placement PlaceWindow(const std::optional<WindowBounds>& stored, const Rect& work_area,
                      const Rect& design_bounds);

struct ProgressDisplay {
  bool visible = false;
  std::string text;  // "%d/%d"
  int filled = 0;    // filled width in pixels
};
ProgressDisplay ComputeProgress(uint32_t position, uint32_t maximum, int width);

// "%d.%d.%d.%d" of the program's file version.
std::string ProgramVersion();
// "Trivex + ZYR <version>[ - <name>] " (only " " before a name that begins with "(").
std::string WindowCaption(const std::string& display_name);
// The clock text of status panel 4.
std::string ClockText(int64_t ms_since_1970_local, char date_separator, char time_separator);
// A short date pattern with "yy" but not "yyyy" gets a four-digit year.
std::string FourDigitYearPattern(std::string pattern);

}  // namespace trivex
