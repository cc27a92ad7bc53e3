#pragma once
// TZyrDConfigPump: reads and sends the configuration of a ZYR-D system — one master relay
// and up to fifteen others on the field bus — in the order the relays expect, with the
// firmware gates of every element. Elements that belong to the system go to the master with
// the engine's prefix; elements of one relay go to that relay with its identifier.
#include <array>
#include <functional>

#include "config/zyr_d_data.h"
#include "protocol/zyr_config_pump.h"

namespace trivex {

class TZyrDConfigPump : public TZyrConfigPump {
 public:
  using TZyrConfigPump::TZyrConfigPump;

  // Asked when the configuration's nominal frequency is not set: true with the chosen code
  // (1 or 2), false to cancel. Without it the send is cancelled.
  std::function<bool(int& code)> ask_frequency;

  // Sends the configuration with the station model compiled from its net list. 0 done,
  // 1 failed or aborted, 2 done with rows in Msgs() (or changed configuration ids).
  int Send(TZyrDData& config, const TNetListData& station);
  // Reads the system whose master is `address` (or whose member it is) into `config` and
  // `reported`. 0 done, 1 failed or aborted.
  int Read(TZyrDData& config, TReportedStation& reported, int address);

  // A device name the relays can take: at most 8 characters, no double quote, apostrophe,
  // comma or control character.
  static bool ValidDeviceName(std::string_view name);

  struct IoCard {
    int relays = 13;
    int inputs = 16;
  };
  const IoCard& Card(int position) const { return cards_[static_cast<size_t>(position)]; }

 private:
  int SendSequence();
  int ReadSequence(int address);
  bool VersionOfSlaves();
  bool HardwareCheck();
  bool FitCheck();
  bool General();
  bool DeviceList();
  bool Harmonics();
  bool Pulsing();
  bool Transients();
  bool Wattmetric();
  bool Qui();
  bool BinaryInputs();
  bool Outputs();
  bool Blocks();
  bool LedPictureCheck(bool mark_changes, bool& changed);

  // One block variable to or from the master (or `pfx`), with its firmware gate.
  bool Var(BlockValues& b, int idx, const std::string* pfx = nullptr);
  // One block variable per device: `send_fmt` takes the identifier and the value
  // ("%sZyrTXLog=%d"); reads go to `read_name` with the variable's suffix. The master's
  // value becomes the system value; `copies` (when given) receive every relay's value.
  bool PerDevice(BlockValues& b, int idx, const char* send_fmt, const char* read_name, int since,
                 int below = 0, std::vector<BlockValues>* copies = nullptr);
  // A request whose numeric reply goes into `value` (reads) or that is sent (sends).
  bool Num(const std::string& send, const std::string& query, double& value);
  void TooOld(const VarDesc& d, double value);
  std::string ChannelText(int position, int input) const;
  std::string Id(int position) const;
  double MasterCurrentFactor() const;

  bool sending_ = false;
  TZyrDData* cfg_ = nullptr;
  const TNetListData* station_ = nullptr;
  TReportedStation* rep_ = nullptr;
  std::array<IoCard, kMaxDevices> cards_{};
};

// After a read: when the relays hold no net list text, rebuild it from the station model
// they reported (the text stays empty when the model cannot be written as a net list).
void RebuildNetListText(TZyrDData& read, const TReportedStation& reported);

// The display name a configuration read from a device gets: type, identifier without its
// colon and device name joined by "_" ("ZYR-D_A1_Feld 7").
std::string ReadConfigDisplayName(const std::string& type, int address, const std::string& name);

}  // namespace trivex
