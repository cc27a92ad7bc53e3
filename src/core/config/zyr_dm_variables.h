#pragma once
// The variables of a ZYR-DM relay: general inputs, the wattmetric and DIF blocks and their
// per-channel records (one per current channel of every measuring board with eight currents).
#include "config/variable_table.h"

namespace trivex {

#define TRIVEX_ZYRDM_GENERAL(X)                                               \
  X(ZyrMCoupleBI, Int, 0, nullptr, nullptr)                                   \
  X(ZyrMCoupleInv, Bool, 0, nullptr, nullptr)                                 \
  X(ZyrMEnableBI1, Int, 0, nullptr, nullptr)                                  \
  X(ZyrMEnableInv1, Bool, 0, nullptr, nullptr)                                \
  X(ZyrMEnableBI2, Int, 0, nullptr, nullptr)                                  \
  X(ZyrMEnableInv2, Bool, 0, nullptr, nullptr)                                \
  X(ZyrMGateMode, Enum, ceSeparate, &EnumInfoOf<TDmCoupledEnables>(), nullptr)

#define TRIVEX_ZYRDM_WATTMETRIC(X)                                 \
  X(ZyrWActive, Bool, 1, nullptr, nullptr)                         \
  X(ZyrWUseExt, Bool, 0, nullptr, nullptr)                         \
  X(ZyrWNoDisable, Bool, 0, nullptr, nullptr)                      \
  X(ZyrWLog, Enum, leBeginEnd, &EnumInfoOf<TLogEntry>(), nullptr)

#define TRIVEX_ZYRDM_WATT_CHANNEL(X)         \
  X(ZyrWImin, Real, 1, nullptr, nullptr)     \
  X(ZyrWIminH, Real, 10, nullptr, nullptr)   \
  X(ZyrWAngle1, Real, 105, nullptr, nullptr) \
  X(ZyrWAngle1H, Real, 3, nullptr, nullptr)  \
  X(ZyrWAngle2, Real, 255, nullptr, nullptr) \
  X(ZyrWAngle2H, Real, 3, nullptr, nullptr)  \
  X(ZyrWVmin1, Real, 30, nullptr, nullptr)   \
  X(ZyrWVmin1H, Real, 10, nullptr, nullptr)  \
  X(ZyrWVmin2, Real, 30, nullptr, nullptr)   \
  X(ZyrWVmin2H, Real, 10, nullptr, nullptr)  \
  X(ZyrWThyst, Real, 2, nullptr, nullptr)    \
  X(ZyrWT59_, Real, 0.5, nullptr, nullptr)   \
  X(ZyrWT672_, Real, 0.5, nullptr, nullptr)  \
  X(ZyrWT674_, Real, 1, nullptr, nullptr)

// In file order; the per-channel records stand after ZyrFAlgo.
#define TRIVEX_ZYRDM_DIF(X)                                              \
  X(ZyrFActive, Bool, 1, nullptr, nullptr)                               \
  X(ZyrFAlgo, Enum, aaStandard, &EnumInfoOf<TDmAdmittanzAlgo>(), nullptr) \
  X(ZyrFTdelay, Real, 20, nullptr, nullptr)                              \
  X(ZyrFTCycle1, Int, 5, nullptr, nullptr)                               \
  X(ZyrFTCycle2, Int, 5, nullptr, nullptr)                               \
  X(ZyrFTCycle3, Int, 5, nullptr, nullptr)                               \
  X(ZyrFLog, Enum, leBeginEnd, &EnumInfoOf<TLogEntry>(), nullptr)        \
  X(ZyrFV121, Int, 1, nullptr, nullptr)                                  \
  X(ZyrFV122, Int, 2, nullptr, nullptr)

#define TRIVEX_ZYRDM_DIF_CHANNEL(X)            \
  X(ZyrFRabs, Real, 5, nullptr, nullptr)       \
  X(ZyrFRrel, Real, 10, nullptr, nullptr)      \
  X(ZyrFRtrig, Real, 50, nullptr, nullptr)     \
  X(ZyrFdIswitch, Real, 2, nullptr, nullptr)   \
  X(ZyrFMsgDelay, Real, 0, nullptr, nullptr)

#define TRIVEX_VAR_INDEX(name, type, def, info, key) name,
namespace dmgen { enum : int { TRIVEX_ZYRDM_GENERAL(TRIVEX_VAR_INDEX) kCount }; }
namespace dmwatt { enum : int { TRIVEX_ZYRDM_WATTMETRIC(TRIVEX_VAR_INDEX) kCount }; }
namespace dmwch { enum : int { TRIVEX_ZYRDM_WATT_CHANNEL(TRIVEX_VAR_INDEX) kCount }; }
namespace dmdif { enum : int { TRIVEX_ZYRDM_DIF(TRIVEX_VAR_INDEX) kCount }; }
namespace dmfch { enum : int { TRIVEX_ZYRDM_DIF_CHANNEL(TRIVEX_VAR_INDEX) kCount }; }

const BlockDesc& DmGeneralBlock();
const BlockDesc& DmWattmetricBlock();
const BlockDesc& DmWattChannelBlock();
const BlockDesc& DmDifBlock();
const BlockDesc& DmDifChannelBlock();

}  // namespace trivex
