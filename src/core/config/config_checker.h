#pragma once
// TZyrDConfigChecker: the two checks that run on a ZYR-D system read from the devices.
// The consistency check compiles the station net list held in the read configuration and
// compares it with what every relay reported; the verification compares the configuration
// in memory with the one just read, parameter by parameter. Both fill a TConfigMsgs and
// answer whether nothing was found.
#include <cmath>

#include "config/config_msgs.h"
#include "config/net_list_data.h"
#include "config/reported_station.h"
#include "config/zyr_d_data.h"
#include "lang/lang.h"

namespace trivex {

class TZyrDConfigChecker {
 public:
  TConfigMsgs& Msgs() { return msgs_; }
  // Raises ENetList when the read net list text does not compile.
  bool CheckConsistency(int version, TZyrDData& read, const TReportedStation& reported,
                        const TZyrData* in_memory = nullptr);
  bool Verify(int version, const TZyrDData& saved, const TReportedStation& reported, const TZyrDData& read,
              const TNetListData& compiled);

  // The harmonics, transients, pulse and wattmetric directions that the master function
  // `mfu` of an output stands for (firmware before 1.0.08 holds these instead of signals).
  static TOutputDirections ImpliedDirections(const TZyrDData& config, int mfu);

  // Reals are equal when they differ by at most 0.001.
  static bool SameReal(double a, double b) { return std::abs(a - b) <= 0.001 + 1e-12; }

 private:
  // A row label: a text of the checker's table, with the index for its "%d" when it has one.
  // The text is taken in the current language when the row is added.
  struct LabelRef {
    LabelRef(const lang::Text3& t, int i = -1) : text(&t), index(i) {}  // NOLINT: implicit on purpose
    const lang::Text3* text;
    int index;
    std::string Text() const;
  };
  void Row(LabelRef label, int since, const std::string& name, const std::string& a, const std::string& b);
  void Real(LabelRef label, int since, const std::string& name, double a, double b, bool exact = false);
  void Int(LabelRef label, int since, const std::string& name, long long a, long long b);
  void Segments(const TNetListData& expected, const TNetListData& read);
  void Switches(const TNetListData& expected, const TNetListData& read);
  void Devices(const TZyrDData& read, const TNetListData& expected, const TReportedStation& reported, bool verify);
  void BinaryInputs(const TNetListData& expected, const TReportedStation& reported);
  void Block(const BlockValues& saved, const BlockValues& read);
  void IdRows(const TZyrData* saved, const TZyrData& read);

  TConfigMsgs msgs_;
  TConfigMsgs::Mode mode_ = TConfigMsgs::kConsistency;
  int version_ = 0;
};

}  // namespace trivex
