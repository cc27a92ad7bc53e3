#pragma once
// Device variables as data. Every function block of a relay configuration is a table of
// variable descriptors (device variable name = file key, type, default, range, the firmware
// version from which devices know it) and a value array. File reading and writing, the
// transfer and the checker all walk these tables; no variable has code of its own.
#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/enumerations.h"

namespace trivex {

class IniFile;
class IniWriter;

enum class VarType : uint8_t {
  Bool,        // "TRUE"/"FALSE"
  Real,        // "%g"
  RealText,    // "%s" of the shortest real text (written like Real)
  Int,         // decimal
  Enum,        // value name
};

struct VarDesc {
  const char* name;   // device variable name and file key
  VarType type;
  double def;         // default (bool 0/1, enumeration code)
  const EnumInfo* enum_info = nullptr;
  double min = std::numeric_limits<double>::quiet_NaN();  // range where the device has one
  double max = std::numeric_limits<double>::quiet_NaN();
  int since_version = 0;         // firmware version from which devices know it (0: all)
  const char* write_key = nullptr;  // key as written when it is spelled otherwise
  const char* WriteKey() const { return write_key ? write_key : name; }
};

struct BlockDesc {
  const char* section;           // file section ("Harmonics")
  std::span<const VarDesc> vars;
  int IndexOf(std::string_view name) const;  // -1 when absent (case-insensitive)
};

// The values of one block, in descriptor order.
class BlockValues {
 public:
  explicit BlockValues(const BlockDesc& desc);
  const BlockDesc& desc() const { return *desc_; }
  double& operator[](int i) { return v_[static_cast<size_t>(i)]; }
  double operator[](int i) const { return v_[static_cast<size_t>(i)]; }
  bool B(int i) const { return v_[static_cast<size_t>(i)] != 0; }
  int I(int i) const { return static_cast<int>(v_[static_cast<size_t>(i)]); }
  void SetDefaults();
  bool operator==(const BlockValues& o) const { return v_ == o.v_; }
  size_t size() const { return v_.size(); }

 private:
  const BlockDesc* desc_;
  std::vector<double> v_;
};

// The text a value is written with in files and device requests ("." as decimal point).
std::string VarValueText(const VarDesc& d, double value);
// Parses a value text of a variable. Booleans by the file rule, numbers with either decimal
// separator, enumerations by name. Throws ConvertError for a malformed number; an unknown
// enumeration name gives `keep`.
double ParseVarValue(const VarDesc& d, std::string_view text, double keep);

// Reads variables [first, last) of a block from the file; a missing key takes the default.
// `suffix` follows every key (per-channel records: "ZyrWImin" "11").
void ReadBlockVars(const IniFile& ini, BlockValues& values, size_t first = 0,
                   size_t last = static_cast<size_t>(-1), std::string_view suffix = {});
// Writes variables [first, last) as "key=value" lines.
void WriteBlockVars(IniWriter& out, const BlockValues& values, size_t first = 0,
                    size_t last = static_cast<size_t>(-1), std::string_view suffix = {});

}  // namespace trivex
