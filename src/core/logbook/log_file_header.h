#pragma once
// The first line of a log file: where the records came from and which part of the device's
// record ring they cover, as "id=..;name=..;grp=..;typ=..;ver=..;fi=..;li=..;mod=..;von=..;
// bis=..;closed=..".
#include <cstdint>
#include <string>
#include <string_view>

#include "lang/date_time.h"

namespace trivex {

class TTextStream;

class TLogFileHeader {
 public:
  std::string id;    // device address without its colon
  std::string name;  // station name
  std::string grp;   // group name reported by the device
  std::string typ;   // "ZYR-D", "ZYR-DM", "VAD-AZ" or "ZED-UDE"
  int ver = 0;       // log format version
  int fi = 0;        // oldest record in the device ring
  int li = 0;        // newest record in the device ring
  uint32_t mod = 0;  // records in the device ring
  uint32_t von = 0;  // device time of the oldest entry
  uint32_t bis = 0;  // device time of the newest entry
  bool closed = false;  // closed by splitting: no longer extended from a device

  // New or empty file.
  bool IsEmpty() const { return empty_; }
  // The text form was parsed without fault.
  bool IsValid() const { return valid_; }

  void Clear();
  // Empty for an empty or invalid header. ';' and '=' in the texts are written as '_'.
  std::string ToLine() const;
  // An empty line makes the header empty. Unknown keys and a missing '=' make it not valid;
  // a malformed number raises ConvertError.
  void Parse(std::string_view line);
  // Parses the first line of the stream.
  void ReadFrom(TTextStream& stream);
  // 'Device:  id: "name" (typ)    Entries:  from ..  until ..' (and "(closed)"); empty when
  // the group name is empty.
  std::string DisplayText() const;
  DateTime VonDateTime() const;
  DateTime BisDateTime() const;

 private:
  bool empty_ = true;
  bool valid_ = false;
};

}  // namespace trivex
