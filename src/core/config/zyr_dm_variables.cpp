#include "config/zyr_dm_variables.h"

namespace trivex {

#define TRIVEX_VAR_DESC(name, type, def, info, key) \
  VarDesc{#name, VarType::type, static_cast<double>(def), info, NAN, NAN, 0, key},

const BlockDesc& DmGeneralBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRDM_GENERAL(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"General", vars};
  return block;
}

const BlockDesc& DmWattmetricBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRDM_WATTMETRIC(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Wattmetric", vars};
  return block;
}

const BlockDesc& DmWattChannelBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRDM_WATT_CHANNEL(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Wattmetric", vars};
  return block;
}

const BlockDesc& DmDifBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRDM_DIF(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"DIF", vars};
  return block;
}

const BlockDesc& DmDifChannelBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRDM_DIF_CHANNEL(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"DIF", vars};
  return block;
}

}  // namespace trivex
