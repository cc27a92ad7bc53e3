#pragma once
// TZyrDmData: the configuration of one modular ZYR-DM relay: board equipment, coupling and
// enable inputs, the wattmetric and DIF blocks per measuring channel, two localization
// directions per signal, and the relay and LED functions of every board.
#include <map>

#include "config/zyr_data.h"
#include "config/zyr_dm_variables.h"

namespace trivex {

inline constexpr int kDmDspSlots = 5;
inline constexpr int kDmBioSlots = 8;
inline constexpr int kDmLedSlots = 11;   // slot 0 is the front LED board
inline constexpr int kDmChannels = 8;    // current channels of a measuring board
inline constexpr int kDmOutputs = 16;    // positions read per board

int BinaryInputsOf(TBinIODevTypes type);
int RelaysOf(TBinIODevTypes type);
int LedsOf(TLedDevTypes type);

struct TDmSignal {
  TWattmetrischeRichtung watt = wmrAus;
  TDifRichtung dif = drAus;
  bool operator==(const TDmSignal&) const = default;
};

class TZyrDmData : public TZyrData {
 public:
  TZyrDmData();

  std::array<TDspDevTypes, kDmDspSlots> dsp{};
  std::array<TBinIODevTypes, kDmBioSlots> bio{};
  std::array<TLedDevTypes, kDmLedSlots> led_boards{};
  BlockValues general{DmGeneralBlock()};
  BlockValues wattmetric{DmWattmetricBlock()};
  BlockValues dif{DmDifBlock()};
  // Per measuring board and channel: [board 0..4][channel 0..7].
  std::vector<BlockValues> watt_channels;  // index 8 * board + channel
  std::vector<BlockValues> dif_channels;
  double ZyrFRatioAbs = 20;  // edited and transferred, not kept in the file
  double ZyrFRatioRel = 20;
  std::array<TDmSignal, 4> loc_signals{};
  std::array<std::array<TOutput, kDmOutputs>, kDmBioSlots> relays{};
  std::array<std::array<TOutput, kDmOutputs>, kDmLedSlots> leds{};
  // The binary input list: list index -> code ((board - 1) * 16 + input) and back.
  std::vector<int> input_codes;
  std::map<int, int> input_index_of_code;
  // ZyrFV121 / ZyrFV122 were taken from the net list.
  bool v121_from_net_list = false, v122_from_net_list = false;

  // "Show secondary values": a display setting kept in the file but held program-wide.
  static bool& ShowSecondary();

  BlockValues& WattChannel(int board, int channel) { return watt_channels[static_cast<size_t>(kDmChannels * board + channel)]; }
  const BlockValues& WattChannel(int board, int channel) const { return watt_channels[static_cast<size_t>(kDmChannels * board + channel)]; }
  BlockValues& DifChannel(int board, int channel) { return dif_channels[static_cast<size_t>(kDmChannels * board + channel)]; }
  const BlockValues& DifChannel(int board, int channel) const { return dif_channels[static_cast<size_t>(kDmChannels * board + channel)]; }

  void Load(const IniFile& ini) override;
  void WriteFile(IniWriter& out) const override;
  void WriteGeneral(IniWriter& out) const override;
  void SetDefaults() override;
  void Assign(const TZyrData& src) override;
  void TakeLoaded(const TZyrData& src) override;
  void BuildInputNames() override;
  // Takes ZyrFV121 / ZyrFV122 from the measuring boards that the net list assigns to
  // busbars 1 and 2; a net list that does not compile changes nothing.
  void FinalCheck() override;
  std::unique_ptr<TZyrData> CreateEmpty() const override { return std::make_unique<TZyrDmData>(); }

 protected:
  const char* ExtraDeviceName() const override { return "ZYR-DM"; }

 private:
  void CopyDm(const TZyrDmData& s);
  void LoadOutputs(const IniFile& ini, const char* kind, int board, TOutput* out, const TOutput* read_defaults);
};

}  // namespace trivex
