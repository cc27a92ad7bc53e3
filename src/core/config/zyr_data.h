#pragma once
// TZyrData: what every relay system configuration holds — general parameters, the device
// table with port settings, the station net list text and when it was last sent and read —
// with the configuration file's general sections. TZyrDData (a ZYR-D system) and TZyrDmData
// (one ZYR-D M relay) derive from it.
#include <array>
#include <memory>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/change_tracker.h"
#include "config/enumerations.h"
#include "config/port_settings.h"
#include "lang/date_time.h"

namespace trivex {

class IniFile;
class IniWriter;

inline constexpr int kMaxDevices = 16;

struct TDeviceRecord {
  TComSettings com1{cmEcl, cb115200, cpOff, chRtsCts};
  TComSettings com2{cmEcl, cb9600, cpOff, chXonXoff};
  TTynetSettings tynet_l;
  TTynetSettings tynet_r;
  std::string name;  // at most 8 characters (the device variable "Station")
  uint8_t id = 0;
  bool operator==(const TDeviceRecord&) const = default;
};

// A relay or LED output: its function, inversion and the master function it shows on
// behalf of the master, with the master channel.
struct TOutput {
  uint8_t fu = 0;
  bool inv = false;
  uint8_t mfu = 0;
  int mchan = 0;
  bool operator==(const TOutput&) const = default;
};

class TZyrData {
 public:
  TZyrData() = default;
  TZyrData(const TZyrData&) = delete;
  TZyrData& operator=(const TZyrData&) = delete;
  virtual ~TZyrData() = default;

  TChangeTracker tracker;
  std::string file_path;
  std::string display_name;
  std::string name_prefix;
  TSystemType system_type = stUnknown;
  uint8_t master_id = 1;
  double ZyrUearth = 30;
  double ZyrEMsgDelay = 0;
  double ZyrMsgBreak = 0;
  std::optional<DateTime> last_sent;
  int last_sent_version = 0;
  std::optional<DateTime> last_read;
  int last_read_version = 0;
  int nominal_frequency = 0;  // 0 not set, 1 16.7 Hz, 2 50 Hz
  std::array<TDeviceRecord, kMaxDevices> devices;
  std::vector<TDeviceRecord> extra_devices;
  std::vector<std::string> switches;  // the station net list text, one line per entry
  int current_device = -1;
  std::vector<uint8_t> device_ids;    // identifiers of the configured relays, in order
  std::vector<uint8_t> all_ids;       // device identifiers, then the extra devices'
  std::array<uint32_t, kMaxDevices> config_ids{};
  std::vector<std::string> binary_input_names;
  std::vector<std::string> virtual_input_names;
  int ZyrLogTime = 0;
  double ZyrtOpFreq = 0;

  // The ZYR-D configuration whose operating and nominal frequency every file carries (the
  // frequencies are system-wide); by default the configuration itself.
  TZyrData* frequency_source = nullptr;
  // The nominal frequency that new configurations get (the program's default).
  static int& DefaultNominalFrequency();

  int DeviceCount() const { return static_cast<int>(device_ids.size()); }
  virtual void Load(const IniFile& ini);
  // The whole file text.
  virtual void WriteFile(IniWriter& out) const;
  virtual void WriteGeneral(IniWriter& out) const;
  virtual void SetDefaults();
  // Copies everything but the tracker, the file path, the last sent pair and the extra
  // devices from a configuration of the same class.
  virtual void Assign(const TZyrData& src);
  // Takes a whole loaded configuration (everything but the tracker).
  virtual void TakeLoaded(const TZyrData& src);
  virtual int AddExtraDevice(uint8_t id);
  virtual void BuildInputNames();
  virtual void AfterLoad() {}
  virtual void FinalCheck() {}
  virtual std::unique_ptr<TZyrData> CreateEmpty() const = 0;

  // Saves to the file path: false when the file is read-only (nothing written); throws
  // std::runtime_error on a write error (the previous file stays as it was).
  bool Save();
  // Sets the configured relays from identifier texts (ConvertError for a bad text).
  void SetDeviceList(const std::vector<std::string>& id_texts);
  void SetDeviceIds(const std::vector<uint8_t>& ids);
  int IndexOfDevice(uint8_t id) const;
  std::string CaptionText() const;
  // File name and display name from a path ("x.ini" -> "x"; "x.cfg" -> "x.cfg").
  void SetFileName(const std::string& path);

 protected:
  TDeviceRecord DefaultDeviceRecord(uint8_t id) const;
  virtual const char* ExtraDeviceName() const = 0;
  void RebuildAllIds();
  void LoadGeneral(const IniFile& ini);
  void LoadSwitches(const IniFile& ini);
  void WriteSwitches(IniWriter& out) const;
  // The device section keys shared by both families (Id is read by the caller).
  void LoadDeviceRecord(const IniFile& ini, const std::string& section, TDeviceRecord& rec,
                        uint32_t& config_id);
  void WriteDeviceRecord(IniWriter& out, const TDeviceRecord& rec, uint32_t config_id) const;
  void CopyBase(const TZyrData& src, bool whole);
  const TZyrData& FrequencySource() const { return frequency_source ? *frequency_source : *this; }
};

// "SystemType" of the file's General section (default stZYRD).
TSystemType DetectSystemType(const IniFile& ini);

}  // namespace trivex
