#include "config/variable_table.h"

#include <algorithm>
#include <cctype>

#include "config/bool_text.h"
#include "config/device_time.h"
#include "config/ini_file.h"
#include "config/number_text.h"
#include "lang/format.h"

namespace trivex {

namespace {
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}
}  // namespace

int BlockDesc::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < vars.size(); ++i)
    if (SameName(vars[i].name, name)) return static_cast<int>(i);
  return -1;
}

BlockValues::BlockValues(const BlockDesc& desc) : desc_(&desc), v_(desc.vars.size()) { SetDefaults(); }

void BlockValues::SetDefaults() {
  for (size_t i = 0; i < v_.size(); ++i) v_[i] = desc_->vars[i].def;
}

std::string VarValueText(const VarDesc& d, double value) {
  switch (d.type) {
    case VarType::Bool: return BoolText(value != 0);
    case VarType::Int: return std::to_string(static_cast<long long>(value));
    case VarType::Enum: return std::string(EnumNameOf(*d.enum_info, static_cast<int>(value)));
    case VarType::Real:
    case VarType::RealText: return FormatG(value, '.');
  }
  return {};
}

double ParseVarValue(const VarDesc& d, std::string_view text, double keep) {
  switch (d.type) {
    case VarType::Bool: return ParseBoolText(text) ? 1 : 0;
    case VarType::Int: {
      auto v = TryParseInteger(text);
      if (!v) throw ConvertError("\"" + std::string(text) + "\" is not a valid integer value");
      return static_cast<double>(*v);
    }
    case VarType::Enum: {
      int code = EnumCodeOf(*d.enum_info, text);
      return code < 0 ? keep : code;
    }
    case VarType::Real:
    case VarType::RealText: return ParseNumberTolerant(text, '.');
  }
  return keep;
}

void ReadBlockVars(const IniFile& ini, BlockValues& values, size_t first, size_t last,
                   std::string_view suffix) {
  const BlockDesc& b = values.desc();
  last = std::min(last, b.vars.size());
  for (size_t i = first; i < last; ++i) {
    const VarDesc& d = b.vars[i];
    const std::string* text = ini.Find(b.section, std::string(d.name) + std::string(suffix));
    if (!text && d.write_key) text = ini.Find(b.section, std::string(d.write_key) + std::string(suffix));
    const int idx = static_cast<int>(i);
    if (!text) {
      values[idx] = d.def;
      continue;
    }
    try {
      values[idx] = ParseVarValue(d, *text, d.def);
    } catch (const ConvertError& e) {
      throw ConvertError(std::string("[") + b.section + "] " + d.name + std::string(suffix) + ": " + e.what());
    }
  }
}

void WriteBlockVars(IniWriter& out, const BlockValues& values, size_t first, size_t last,
                    std::string_view suffix) {
  const BlockDesc& b = values.desc();
  last = std::min(last, b.vars.size());
  for (size_t i = first; i < last; ++i)
    out.Key(std::string(b.vars[i].WriteKey()) + std::string(suffix),
            VarValueText(b.vars[i], values[static_cast<int>(i)]));
}

}  // namespace trivex
