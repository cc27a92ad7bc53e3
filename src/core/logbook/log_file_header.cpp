#include "logbook/log_file_header.h"

#include <charconv>

#include "config/bool_text.h"
#include "config/device_time.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/system_formats.h"
#include "lang/texts_logbook.h"
#include "logbook/text_stream.h"

namespace trivex {
namespace {

constexpr const char* kKeys[] = {"id",  "name", "grp", "typ", "ver",   "fi",
                                 "li",  "mod",  "von", "bis", "closed"};
constexpr int kKeyCount = 11;
constexpr int kRelocatableKeys = 9;  // id .. von may stand out of order

std::string Sanitized(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == ';' || c == '=' || c == '\r' || c == '\n') c = '_';
  return out;
}

template <typename T>
T ParseNumber(std::string_view text) {
  std::string_view t = text;
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  T value{};
  auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || ec != std::errc() || p != t.data() + t.size())
    throw ConvertError(Format(lang::Tr(tx::logbook::NotAnInteger), {text}));
  return value;
}

}  // namespace

void TLogFileHeader::Clear() {
  *this = TLogFileHeader();
}

std::string TLogFileHeader::ToLine() const {
  if (empty_ || !valid_) return {};
  return Format("id=%s;name=%s;grp=%s;typ=%s;ver=%d;fi=%d;li=%d;mod=%u;von=%u;bis=%u;closed=%d",
                {Sanitized(id), Sanitized(name), Sanitized(grp), Sanitized(typ), ver, fi, li, mod,
                 von, bis, closed ? 1 : 0});
}

void TLogFileHeader::Parse(std::string_view line) {
  Clear();
  if (line.empty()) return;
  valid_ = true;
  empty_ = false;
  int expected = 0;  // the key that should come next
  size_t pos = 0;
  while (pos < line.size()) {
    const size_t eq = line.find('=', pos);
    if (eq == std::string_view::npos) {
      valid_ = false;
      break;
    }
    std::string key(line.substr(pos, eq - pos));
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    size_t end = line.find(';', eq + 1);
    if (end == std::string_view::npos) end = line.size();
    const std::string_view value = line.substr(eq + 1, end - eq - 1);
    pos = end + 1;

    int k = -1;
    if (expected < kKeyCount && key == kKeys[expected]) {
      k = expected;
    } else {
      for (int i = kRelocatableKeys - 1; i >= 0; --i)
        if (key == kKeys[i]) {
          k = i;
          break;
        }
    }
    if (k < 0) {
      valid_ = false;
      continue;
    }
    switch (k) {
      case 0: id = std::string(value); break;
      case 1: name = std::string(value); break;
      case 2: grp = std::string(value); break;
      case 3: typ = std::string(value); break;
      case 4: ver = ParseNumber<int>(value); break;
      case 5: fi = ParseNumber<int>(value); break;
      case 6: li = ParseNumber<int>(value); break;
      case 7: mod = ParseNumber<uint32_t>(value); break;
      case 8: von = ParseNumber<uint32_t>(value); break;
      case 9: bis = ParseNumber<uint32_t>(value); break;
      case 10: closed = ParseBoolText(value); break;
    }
    expected = k + 1;
  }
}

void TLogFileHeader::ReadFrom(TTextStream& stream) {
  std::string line;
  stream.ReadLine(line);
  Parse(line);
}

std::string TLogFileHeader::DisplayText() const {
  if (grp.empty()) return {};
  const SystemFormats& f = CurrentFormats();
  const std::string pattern = f.short_date + " hh:nn:ss";
  std::string text = Format(lang::Tr(tx::logbook::HeaderDisplay),
                            {id, name, typ, FormatDateTime(pattern, VonDateTime(), '/', f.time_separator),
                             FormatDateTime(pattern, BisDateTime(), '/', f.time_separator)});
  if (closed) text += std::string(" (") + lang::Tr(tx::logbook::Closed) + ")";
  return text;
}

DateTime TLogFileHeader::VonDateTime() const { return DeviceSecsToDateTime(von); }
DateTime TLogFileHeader::BisDateTime() const { return DeviceSecsToDateTime(bis); }

}  // namespace trivex
