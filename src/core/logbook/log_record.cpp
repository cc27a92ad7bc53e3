#include "logbook/log_record.h"

#include <algorithm>
#include <cstring>

#include "config/device_time.h"
#include "lang/lang.h"
#include "lang/texts_logbook.h"

namespace trivex {
namespace {

[[noreturn]] void ThrowNoRecordData() { throw ConvertError(lang::Tr(tx::logbook::NoLogRecordData)); }
[[noreturn]] void ThrowNoRecordLine() { throw ConvertError(lang::Tr(tx::logbook::NoLogRecordLine)); }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads 1..max_digits decimal digits at `pos`.
bool TakeNumber(std::string_view s, size_t& pos, int max_digits, int& value) {
  size_t start = pos;
  value = 0;
  while (pos < s.size() && pos - start < static_cast<size_t>(max_digits) && s[pos] >= '0' &&
         s[pos] <= '9')
    value = value * 10 + (s[pos++] - '0');
  return pos > start;
}

bool TakeChar(std::string_view s, size_t& pos, char c) {
  if (pos < s.size() && s[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

// The time part of a record line: "d.m.yyyy h:n[:s]" (blanks around it allowed), the way the
// log file writes it whatever the user's date format is.
bool ParseLineTime(std::string_view s, DateTime& out) {
  size_t pos = 0;
  while (pos < s.size() && s[pos] == ' ') ++pos;
  CivilTime c;
  c.second = 0;
  if (!TakeNumber(s, pos, 2, c.day) || !TakeChar(s, pos, '.') || !TakeNumber(s, pos, 2, c.month) ||
      !TakeChar(s, pos, '.') || !TakeNumber(s, pos, 4, c.year))
    return false;
  if (pos < s.size() && s[pos] == ' ') {
    while (pos < s.size() && s[pos] == ' ') ++pos;
    if (pos < s.size()) {
      if (!TakeNumber(s, pos, 2, c.hour) || !TakeChar(s, pos, ':') ||
          !TakeNumber(s, pos, 2, c.minute))
        return false;
      if (TakeChar(s, pos, ':') && !TakeNumber(s, pos, 2, c.second)) return false;
    }
  }
  while (pos < s.size() && s[pos] == ' ') ++pos;
  if (pos != s.size() || !IsValidCivil(c)) return false;
  out = DateTime::FromCivil(c);
  return true;
}

}  // namespace

std::string RecordTimeText(uint32_t device_secs) {
  return FormatDateTime("dd/mm/yyyy hh:nn:ss", DeviceSecsToDateTime(device_secs), '.', ':');
}

TLogRecord::TLogRecord(const uint8_t* bytes, size_t size) { Assign(bytes, size); }

void TLogRecord::Assign(const uint8_t* bytes, size_t size) {
  if (size < kHeaderSize) ThrowNoRecordData();
  const int words = bytes[5];
  // The word count must agree with the bytes that are really there before anything is copied.
  if (bytes[4] != 1 || words > kMaxDataSize / 2 || size < static_cast<size_t>(kHeaderSize + 2 * words))
    ThrowNoRecordData();
  std::memcpy(raw_, bytes, static_cast<size_t>(kHeaderSize + 2 * words));
  time_ = ReadBE32(raw_);
  data_len_ = received_len_ = 2 * words;
  first_event_ = ReadBE16(raw_ + 6);
}

TLogRecord TLogRecord::FromLine(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  const size_t semi = line.find(';');
  if (semi == std::string_view::npos) ThrowNoRecordLine();
  DateTime when;
  if (!ParseLineTime(line.substr(0, semi), when)) ThrowNoRecordLine();
  const std::string_view hex = line.substr(semi + 1);
  if (hex.size() < 8 || hex.size() % 2 != 0 || hex.size() > 2 * (kHeaderSize + kMaxDataSize))
    ThrowNoRecordLine();
  uint8_t bytes[kHeaderSize + kMaxDataSize];
  const size_t count = hex.size() / 2;
  for (size_t i = 0; i < count; ++i) {
    const int hi = HexValue(hex[2 * i]);
    const int lo = HexValue(hex[2 * i + 1]);
    if (hi < 0 || lo < 0) ThrowNoRecordLine();
    bytes[i] = static_cast<uint8_t>(hi << 4 | lo);
  }
  // The time written before the ';' must be the record's own time (the strict conversion
  // raises its own error for a date outside the device range).
  if (ReadBE32(bytes) != DateTimeToDeviceSecs(when)) ThrowNoRecordLine();
  TLogRecord record;
  record.Assign(bytes, count);
  return record;
}

std::string TLogRecord::ToLine() const {
  static const char kHex[] = "0123456789ABCDEF";
  std::string line = RecordTimeText(time_);
  line += ';';
  const auto raw = RawBytes();
  line.reserve(line.size() + 2 * raw.size());
  for (uint8_t b : raw) {
    line += kHex[b >> 4];
    line += kHex[b & 15];
  }
  return line;
}

DateTime TLogRecord::RecordDateTime() const { return DeviceSecsToDateTime(time_); }

void TLogRecord::SetDataLength(int bytes) {
  if (bytes < 0 || bytes % 2 != 0 || bytes > received_len_ || bytes == data_len_) return;
  data_len_ = bytes;
  raw_[5] = static_cast<uint8_t>(bytes / 2);
}

bool TLogRecord::operator==(const TLogRecord& other) const {
  const auto a = RawBytes();
  const auto b = other.RawBytes();
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace trivex
