#include "config/config_file.h"

#include "config/device_time.h"
#include "config/ini_file.h"
#include "config/zyr_d_data.h"
#include "config/zyr_dm_data.h"
#include "lang/format.h"
#include "lang/texts_cfgfile.h"

namespace trivex {

namespace {
// A file without any section of a configuration is no configuration: loading it would give
// the defaults under the file's name.
void RequireConfigSections(const IniFile& ini, const std::string& path) {
  static const char* const kSections[] = {"General", "Switches", "Harmonics", "Pulsing", "Transients",
                                          "Qui",     "Wattmetric", "DIF",     "Signals", "Devices"};
  for (const char* s : kSections)
    if (ini.HasSection(s)) return;
  throw ConfigLoadError(Format(lang::Tr(tx::cfgfile::ErrNotConfig), {path}));
}

IniFile ReadConfigIni(const std::string& path) {
  IniFile ini;
  try {
    ini = IniFile::Load(path);
  } catch (const std::exception& e) {
    throw ConfigLoadError(Format(lang::Tr(tx::cfgfile::ErrCannotRead), {path, e.what()}));
  }
  RequireConfigSections(ini, path);
  return ini;
}
}  // namespace

std::unique_ptr<TZyrData> NewConfig(TSystemType type) {
  if (type == stZYRDM) return std::make_unique<TZyrDmData>();
  if (type == stZYRD) return std::make_unique<TZyrDData>();
  return nullptr;
}

std::unique_ptr<TZyrData> LoadConfigFile(const std::string& path, TZyrDData* frequency_source) {
  const IniFile ini = ReadConfigIni(path);
  const TSystemType type = DetectSystemType(ini);
  std::unique_ptr<TZyrData> data = NewConfig(type);
  if (!data) throw ConfigLoadError(Format(lang::Tr(tx::cfgfile::ErrUnknownSystemType), {path}));
  if (type == stZYRDM) data->frequency_source = frequency_source;
  try {
    data->Load(ini);
  } catch (const std::exception& e) {
    throw ConfigLoadError(Format(lang::Tr(tx::cfgfile::ErrBadValue), {path, e.what()}));
  }
  data->SetFileName(path);
  data->tracker.DeclareSaved();
  data->FinalCheck();
  return data;
}

void LoadConfigInto(TZyrData& target, const std::string& path) {
  std::unique_ptr<TZyrData> fresh = target.CreateEmpty();
  const IniFile ini = ReadConfigIni(path);
  if (DetectSystemType(ini) != target.system_type)
    throw ConfigLoadError(Format(lang::Tr(tx::cfgfile::ErrUnknownSystemType), {path}));
  fresh->frequency_source = target.frequency_source;
  try {
    fresh->Load(ini);
  } catch (const std::exception& e) {
    throw ConfigLoadError(Format(lang::Tr(tx::cfgfile::ErrBadValue), {path, e.what()}));
  }
  target.TakeLoaded(*fresh);
  target.SetFileName(path);
  target.tracker.DeclareSaved();
  target.FinalCheck();
}

}  // namespace trivex
