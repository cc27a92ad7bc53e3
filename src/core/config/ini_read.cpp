#include "config/ini_read.h"

#include "config/bool_text.h"
#include "config/device_time.h"
#include "config/number_text.h"

namespace trivex {

double ReadRealKey(const IniFile& ini, const std::string& s, const std::string& key, double def) {
  const std::string* v = ini.Find(s, key);
  if (!v) return def;
  try {
    return ParseNumberTolerant(*v, '.');
  } catch (const ConvertError& e) {
    throw ConvertError("[" + s + "] " + key + ": " + e.what());
  }
}

long long ReadIntKey(const IniFile& ini, const std::string& s, const std::string& key, long long def) {
  const std::string* v = ini.Find(s, key);
  if (!v) return def;
  auto n = TryParseInteger(*v);
  if (!n) throw ConvertError("[" + s + "] " + key + ": \"" + *v + "\" is not a valid integer value");
  return *n;
}

bool ReadBoolKey(const IniFile& ini, const std::string& s, const std::string& key, bool def) {
  const std::string* v = ini.Find(s, key);
  return v ? ParseBoolText(*v) : def;
}

int ReadEnumCode(const IniFile& ini, const std::string& s, const std::string& key, const EnumInfo& info, int def) {
  const std::string* v = ini.Find(s, key);
  if (!v) return def;
  int code = EnumCodeOf(info, *v);
  return code < 0 ? def : code;
}

}  // namespace trivex
