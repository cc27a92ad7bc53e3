#pragma once
// TZyrDData: the configuration of a ZYR-D system of up to sixteen relays on the field bus,
// with its five function blocks, the four localization loc_signals and the relay and LED
// outputs of every relay.
#include "config/zyr_d_variables.h"
#include "config/zyr_data.h"

namespace trivex {

inline constexpr int kZyrDRelays = 13;
inline constexpr int kZyrDLeds = 10;
inline constexpr int kZyrDInputs = 4;                               // current inputs per relay
inline constexpr int kZyrDChannels = kMaxDevices * kZyrDInputs;     // numbered keys 1..64
inline constexpr int kSignals = 4;

// A localization signal: the directions of the five methods that must all be met.
struct TLocSignal {
  TOberwellenRichtung harm = owrAus;
  TWischerRichtung trans = wrAus;
  TPulsortungsRichtung puls = porAus;
  TWattmetrischeRichtung watt = wmrAus;
  TQuiRichtung qui = qirAus;
  bool IsOff() const { return harm == owrAus && trans == wrAus && puls == porAus && watt == wmrAus && qui == qirAus; }
  bool operator==(const TLocSignal&) const = default;
};

// Whether a master function's channel is the current input "4 * position + input".
bool MasterChannelIsInput(int master_function);

class TZyrDData : public TZyrData {
 public:
  TZyrDData();

  BlockValues harmonics{HarmonicsBlock()};
  BlockValues pulsing{PulsingBlock()};
  BlockValues transients{TransientsBlock()};
  BlockValues qui{QuiBlock()};
  BlockValues wattmetric{WattmetricBlock()};
  std::array<double, kZyrDChannels> cur_red{};     // ZyrTCurRed1..64
  std::array<double, kZyrDChannels> watt_imin{};   // ZyrWImin1..64
  std::array<double, kZyrDChannels> watt_angle{};  // ZyrWAngle1..64
  std::array<TLocSignal, kSignals> loc_signals{};
  int defined_signals = 0;
  std::array<std::array<TOutput, kZyrDRelays>, kMaxDevices> relays{};
  std::array<std::array<TOutput, kZyrDLeds>, kMaxDevices> leds{};
  // Each relay's own copies of block values as read from it (not in the file; compared by
  // the verification and moved with the relay when the relays are sorted).
  std::vector<BlockValues> pulse_copy, trans_copy, qui_copy;
  std::array<int, kMaxDevices> trans_trigger{};  // ZyrTVTrigger of each relay
  // A file without ZyrTRotM was loaded: the transient page sets the newer values once.
  bool missing_rot_m = false;

  void Load(const IniFile& ini) override;
  void WriteFile(IniWriter& out) const override;
  void SetDefaults() override;
  void Assign(const TZyrData& src) override;
  void TakeLoaded(const TZyrData& src) override;
  void AfterLoad() override;
  void FinalCheck() override;
  std::unique_ptr<TZyrData> CreateEmpty() const override { return std::make_unique<TZyrDData>(); }

  // The default outputs of the relay at position p.
  static std::array<TOutput, kZyrDRelays> DefaultRelays(int p);
  static std::array<TOutput, kZyrDLeds> DefaultLeds(int p);

 protected:
  const char* ExtraDeviceName() const override { return "ZYR-D"; }

 private:
  void CopyBlocks(const TZyrDData& s);
  void LoadOutputs(const IniFile& ini, const std::string& section, int p, const char* kind,
                   TOutput* out, int count);
  void WriteOutputs(IniWriter& out, const char* kind, const TOutput& o, int number) const;
};

}  // namespace trivex
