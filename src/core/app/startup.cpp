#include "app/startup.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "lang/date_time.h"
#include "lang/format.h"
#include "version_info.h"

namespace trivex {
namespace {
std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cmd;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--port" && i + 1 < args.size()) {
      cmd.ports.push_back(args[++i]);
      continue;
    }
    if (a.rfind("--port=", 0) == 0) {
      cmd.ports.push_back(a.substr(7));
      continue;
    }
    if (a == "--demo") {
      cmd.demo = true;
      continue;
    }
    if (!a.empty() && (a[0] == '-' || a[0] == '/')) {
      std::string opt = Upper(a.substr(1));
      if (opt == "3+") {
        cmd.three_plus = true;
      } else if (!opt.empty() && opt[0] == 'V') {
        int level = 0;
        const char* b = opt.data() + 1;
        const char* e = opt.data() + opt.size();
        auto [p, ec] = std::from_chars(b, e, level);
        // A level outside -1..1 is ignored.
        if (ec == std::errc() && p == e && level >= -1 && level <= 1) cmd.visibility = level;
      }
      continue;
    }
    std::string name = Upper(a);
    if (name == "ZYR-D") cmd.start_page = kPageZyrD;
    else if (name == "ZYR-DM") cmd.start_page = kPageZyrDm;
    else if (name == "VAD-AZ") cmd.start_page = kPageRegler;
    else continue;
    cmd.named_type = a;
  }
  return cmd;
}

StartPages DeriveStartPages(const TrivorSettings& stored, const CommandLine& cmd) {
  StartPages sp;
  if (cmd.start_page >= 0) sp.start_page = cmd.start_page;
  sp.sub_zyrd = stored.active_page_index_zyrd;
  sp.sub_zyrdm = stored.active_page_index_zyrdm;
  if (sp.sub_zyrd < 0 || sp.sub_zyrdm < 0) {
    sp.sub_zyrd = 1;
    sp.sub_zyrdm = 1;
    int idx = stored.active_page_index;
    int derived = 0;
    if (idx >= 0 && idx <= 7) sp.sub_zyrd = idx + 1;
    else if (idx >= 8 && idx <= 12) sp.sub_zyrdm = idx - 5;
    else if (idx >= 13 && idx <= 16) derived = idx - 10;
    else if (idx == 17) derived = kPageRegler;
    if (cmd.start_page < 0) sp.start_page = derived;
  }
  if (sp.start_page < 0 || sp.start_page >= kPageCount) sp.start_page = 0;
  return sp;
}

Placement PlaceWindow(const std::optional<WindowBounds>& stored, const Rect& work,
                      const Rect& design) {
  Placement pl;
  Rect b = design;
  if (stored) b = Rect{stored->left, stored->top, stored->width, stored->height};
  b.left = std::min(b.left, work.left + work.width - 32);
  b.top = std::min(b.top, work.top + work.height - 16);
  b.left = std::max(b.left, work.left);
  b.top = std::max(b.top, work.top);
  pl.bounds = b;
  pl.maximized = b.width > work.width || b.height > work.height;
  return pl;
}

ProgressDisplay ComputeProgress(uint32_t position, uint32_t maximum, int width) {
  ProgressDisplay d;
  if (maximum == 0) return d;
  d.visible = true;
  uint64_t pos = position, max = maximum;
  if (max > 16777216) {
    pos /= 1024;
    max /= 1024;
  }
  pos = std::min(pos, max);
  d.text = Format("%d/%d", {static_cast<unsigned long long>(pos), static_cast<unsigned long long>(max)});
  uint64_t w = static_cast<uint64_t>(std::max(width, 0));
  d.filled = static_cast<int>((pos * w + max / 2) / max);
  return d;
}

std::string ProgramVersion() {
  return Format("%d.%d.%d.%d", {TRIVEX_VERSION_MAJOR, TRIVEX_VERSION_MINOR, TRIVEX_VERSION_PATCH,
                                TRIVEX_VERSION_BUILD});
}

std::string WindowCaption(const std::string& display_name) {
  std::string c = "Trivex + ZYR " + ProgramVersion();
  if (!display_name.empty()) c += display_name[0] == '(' ? " " : " - ";
  c += display_name;
  c += ' ';
  return c;
}

std::string ClockText(int64_t ms, char date_sep, char time_sep) {
  return FormatDateTime("dd/mm/yyyy  hh:nn:ss  ", DateTime::FromMs(ms), date_sep, time_sep) + "   ";
}

std::string FourDigitYearPattern(std::string p) {
  std::string lower = p;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  size_t at = lower.find("yy");
  if (at != std::string::npos && lower.find("yyyy") == std::string::npos) p.insert(at, "yy");
  return p;
}

}  // namespace trivex
