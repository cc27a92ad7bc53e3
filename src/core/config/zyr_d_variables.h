#pragma once
// The function blocks of a ZYR-D system: harmonics, pulse location, transients, qui and
// wattmetric. Each block is a table of device variables in file order; the index names below
// address a block's values (harm::Zyr5Imin, ...).
#include "config/variable_table.h"

namespace trivex {

// X(name, type, default, enumeration, key as written or nullptr)
#define TRIVEX_ZYRD_HARMONICS(X)                                   \
  X(Zyr5Active, Bool, 1, nullptr, nullptr)                         \
  X(Zyr5Imin, Real, 0.4, nullptr, nullptr)                         \
  X(Zyr5dImin, Real, 10, nullptr, nullptr)                         \
  X(Zyr5Use1st, Bool, 0, nullptr, nullptr)                         \
  X(Zyr5Use3rd, Bool, 0, nullptr, nullptr)                         \
  X(Zyr5Use5th, Bool, 1, nullptr, nullptr)                         \
  X(Zyr5Use7th, Bool, 0, nullptr, nullptr)                         \
  X(Zyr5Use9th, Bool, 0, nullptr, nullptr)                         \
  X(Zyr5Use11th, Bool, 0, nullptr, nullptr)                        \
  X(Zyr5Use13th, Bool, 0, nullptr, nullptr)                        \
  X(Zyr5Use15th, Bool, 0, nullptr, nullptr)                        \
  X(Zyr5Use17th, Bool, 0, nullptr, nullptr)                        \
  X(Zyr5Use19th, Bool, 0, nullptr, nullptr)                        \
  X(Zyr5UseAll, Bool, 0, nullptr, nullptr)                         \
  X(Zyr5UseAngle, Bool, 1, nullptr, nullptr)                       \
  X(Zyr5Angle, Real, 15, nullptr, nullptr)                         \
  X(Zyr5UseXFreq, Bool, 0, nullptr, nullptr)                       \
  X(Zyr5XFreq, Real, 217.5, nullptr, nullptr)                      \
  X(Zyr5Msg, Enum, mrBoth, &EnumInfoOf<TMeldeRichtung>(), nullptr) \
  X(Zyr5MsgDelay, Real, 2, nullptr, nullptr)                       \
  X(Zyr5MsgDurtn, Real, 0, nullptr, nullptr)                       \
  X(Zyr5ResetId, Int, 0, nullptr, nullptr)                         \
  X(Zyr5ResetBI, Int, 0, nullptr, nullptr)                         \
  X(Zyr5ResetInv, Bool, 0, nullptr, nullptr)                       \
  X(Zyr5GateId, Int, 0, nullptr, nullptr)                          \
  X(Zyr5GateBI, Int, 0, nullptr, nullptr)                          \
  X(Zyr5GateInv, Bool, 0, nullptr, nullptr)                        \
  X(Zyr5SignalAll, Bool, 1, nullptr, nullptr)                      \
  X(Zyr5Single, Bool, 0, nullptr, nullptr)                         \
  X(Zyr5MeasRpt, Int, 3, nullptr, nullptr)                         \
  X(Zyr5Log, Enum, leBeginEnd, &EnumInfoOf<TLogEntry>(), nullptr)  \
  X(Zyr5CLogOn, Bool, 1, nullptr, nullptr)                         \
  X(Zyr5CLogTime, Int, 120, nullptr, nullptr)

#define TRIVEX_ZYRD_PULSING(X)                                     \
  X(ZyrPActive, Bool, 0, nullptr, nullptr)                         \
  X(ZyrPImin, Real, 1, nullptr, nullptr)                           \
  X(ZyrPTon, Real, 1, nullptr, nullptr)                            \
  X(ZyrPToff, Real, 1.5, nullptr, nullptr)                         \
  X(ZyrPCyclesNet, Int, 3, nullptr, nullptr)                       \
  X(ZyrPCyclesGross, Int, 5, nullptr, nullptr)                     \
  X(ZyrPMsgDurtn, Real, 15, nullptr, nullptr)                      \
  X(ZyrPLog, Enum, leBeginEnd, &EnumInfoOf<TLogEntry>(), nullptr)  \
  X(ZyrPResetId, Int, 0, nullptr, nullptr)                         \
  X(ZyrPResetBI, Int, 0, nullptr, nullptr)                         \
  X(ZyrPResetInv, Bool, 0, nullptr, nullptr)                       \
  X(ZyrPDominant, Bool, 1, nullptr, nullptr)                       \
  X(ZyrPSingleTimer, Bool, 1, nullptr, nullptr)                    \
  X(ZyrPVLess, Bool, 0, nullptr, nullptr)                          \
  X(ZyrPGrpLess, Bool, 0, nullptr, nullptr)

// In file order; the numbered ZyrTCurRed keys stand between ZyrTqu2blo and ZyrTVHz.
#define TRIVEX_ZYRD_TRANSIENTS(X)                                           \
  X(ZyrTActive, Bool, 0, nullptr, nullptr)                                  \
  X(ZyrTVmin, Real, 30, nullptr, nullptr)                                   \
  X(ZyrTImin, Real, 7, nullptr, nullptr)                                    \
  X(ZyrTMode, Enum, wamImmer, &EnumInfoOf<TWischerAuswertMode>(), nullptr)  \
  X(ZyrTMsg, Enum, mrBoth, &EnumInfoOf<TMeldeRichtung>(), nullptr)          \
  X(ZyrTMsgDurtn, Real, 15, nullptr, nullptr)                               \
  X(ZyrTResetId, Int, 0, nullptr, nullptr)                                  \
  X(ZyrTResetBI, Int, 0, nullptr, nullptr)                                  \
  X(ZyrTResetInv, Bool, 0, nullptr, nullptr)                                \
  X(ZyrTLog, Enum, leBegin, &EnumInfoOf<TLogEntry>(), nullptr)              \
  X(ZyrTXLog, Enum, welAlways, &EnumInfoOf<TWischerExtraLog>(), nullptr)    \
  X(ZyrTMsgDelay, Real, 1, nullptr, nullptr)                                \
  X(ZyrTProzMax, Real, 100, nullptr, nullptr)                               \
  X(ZyrTRotM, Real, 5, nullptr, nullptr)                                    \
  X(ZyrTDeDur, Int, 0, nullptr, nullptr)                                    \
  X(ZyrTDDWavy, Real, 30, nullptr, nullptr)                                 \
  X(ZyrTDDDive, Real, 20, nullptr, nullptr)                                 \
  X(ZyrTDDfreq, Real, 0, nullptr, "ZyrTDDFreq")                             \
  X(ZyrTHoldfr, Real, 10, nullptr, nullptr)                                 \
  X(ZyrTqu2blo, Real, 0, nullptr, nullptr)                                  \
  X(ZyrTVHz, Real, 15, nullptr, nullptr)                                    \
  X(ZyrTfMsgDur, Real, 200, nullptr, nullptr)

#define TRIVEX_ZYRD_QUI(X)                                                  \
  X(ZyrIActive, Bool, 0, nullptr, nullptr)                                  \
  X(ZyrIVmin, RealText, 15, nullptr, nullptr)                               \
  X(ZyrIImin, RealText, 3, nullptr, nullptr)                                \
  X(ZyrIMsgDelay, RealText, 1, nullptr, nullptr)                            \
  X(ZyrIMsgDurtn, RealText, 15, nullptr, nullptr)                           \
  X(ZyrIResetID, Int, 0, nullptr, nullptr)                                  \
  X(ZyrIResetBI, Int, 0, nullptr, nullptr)                                  \
  X(ZyrIResetInv, Bool, 0, nullptr, nullptr)                                \
  X(ZyrILog, Enum, leBegin, &EnumInfoOf<TLogEntry>(), nullptr)              \
  X(ZyrIXLog, Enum, welIfMsg, &EnumInfoOf<TWischerExtraLog>(), nullptr)     \
  X(ZyrICLogOn, Bool, 0, nullptr, nullptr)                                  \
  X(ZyrICLogTime, RealText, 300, nullptr, nullptr)                          \
  X(ZyrIObsT, Int, 300, nullptr, nullptr)

// In file order after ZyrWActive and the numbered ZyrWImin/ZyrWAngle pairs.
#define TRIVEX_ZYRD_WATTMETRIC(X)                                  \
  X(ZyrWActive, Bool, 0, nullptr, nullptr)                         \
  X(ZyrWSignalAll, Bool, 1, nullptr, nullptr)                      \
  X(ZyrWdImin, Real, 10, nullptr, nullptr)                         \
  X(ZyrWMsgDelay, Real, 2, nullptr, nullptr)                       \
  X(ZyrWMsgDurtn, Real, 0, nullptr, nullptr)                       \
  X(ZyrWResetId, Int, 0, nullptr, nullptr)                         \
  X(ZyrWResetBI, Int, 0, nullptr, nullptr)                         \
  X(ZyrWResetInv, Bool, 0, nullptr, nullptr)                       \
  X(ZyrWPrioId, Int, 0, nullptr, nullptr)                          \
  X(ZyrWPrioBI, Int, 0, nullptr, nullptr)                          \
  X(ZyrWPrioInv, Bool, 0, nullptr, nullptr)                        \
  X(ZyrWCTrigId, Int, 0, nullptr, nullptr)                         \
  X(ZyrWCTrigBI, Int, 0, nullptr, nullptr)                         \
  X(ZyrWCTrigInv, Bool, 0, nullptr, nullptr)                       \
  X(ZyrWCResetId, Int, 0, nullptr, nullptr)                        \
  X(ZyrWCResetBI, Int, 0, nullptr, nullptr)                        \
  X(ZyrWCResetInv, Bool, 0, nullptr, nullptr)                      \
  X(ZyrWCurrGate, Real, 5, nullptr, nullptr)                       \
  X(ZyrWCurrMsg, Real, 15, nullptr, nullptr)                       \
  X(ZyrWMeasRpt, Int, 3, nullptr, nullptr)                         \
  X(ZyrWLog, Enum, leBeginEnd, &EnumInfoOf<TLogEntry>(), nullptr)  \
  X(ZyrWHold1st, Bool, 0, nullptr, nullptr)                        \
  X(ZyrWCLogOn, Bool, 0, nullptr, nullptr)                         \
  X(ZyrWCLogTime, Int, 300, nullptr, nullptr)

#define TRIVEX_VAR_INDEX(name, type, def, info, key) name,
namespace harm { enum : int { TRIVEX_ZYRD_HARMONICS(TRIVEX_VAR_INDEX) kCount }; }
namespace puls { enum : int { TRIVEX_ZYRD_PULSING(TRIVEX_VAR_INDEX) kCount }; }
namespace trans { enum : int { TRIVEX_ZYRD_TRANSIENTS(TRIVEX_VAR_INDEX) kCount }; }
namespace qui { enum : int { TRIVEX_ZYRD_QUI(TRIVEX_VAR_INDEX) kCount }; }
namespace watt { enum : int { TRIVEX_ZYRD_WATTMETRIC(TRIVEX_VAR_INDEX) kCount }; }

const BlockDesc& HarmonicsBlock();
const BlockDesc& PulsingBlock();
const BlockDesc& TransientsBlock();
const BlockDesc& QuiBlock();
const BlockDesc& WattmetricBlock();

}  // namespace trivex
