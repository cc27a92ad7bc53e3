#pragma once
// Typed reading of configuration file keys. A missing key gives the default; a number that
// cannot be converted raises ConvertError naming the section and key; an unknown
// enumeration name keeps the default.
#include <string>

#include "config/enumerations.h"
#include "config/ini_file.h"

namespace trivex {

double ReadRealKey(const IniFile& ini, const std::string& section, const std::string& key, double def);
long long ReadIntKey(const IniFile& ini, const std::string& section, const std::string& key, long long def);
bool ReadBoolKey(const IniFile& ini, const std::string& section, const std::string& key, bool def);
int ReadEnumCode(const IniFile& ini, const std::string& section, const std::string& key,
                 const EnumInfo& info, int def);

template <class E>
E ReadEnumKey(const IniFile& ini, const std::string& section, const std::string& key, E def) {
  return static_cast<E>(ReadEnumCode(ini, section, key, EnumInfoOf<E>(), def));
}

}  // namespace trivex
