#include "config/zyr_d_variables.h"

namespace trivex {

#define TRIVEX_VAR_DESC(name, type, def, info, key) \
  VarDesc{#name, VarType::type, static_cast<double>(def), info, NAN, NAN, 0, key},

const BlockDesc& HarmonicsBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_HARMONICS(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Harmonics", vars};
  return block;
}

const BlockDesc& PulsingBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_PULSING(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Pulsing", vars};
  return block;
}

const BlockDesc& TransientsBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_TRANSIENTS(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Transients", vars};
  return block;
}

const BlockDesc& QuiBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_QUI(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Qui", vars};
  return block;
}

const BlockDesc& WattmetricBlock() {
  static const VarDesc vars[] = {TRIVEX_ZYRD_WATTMETRIC(TRIVEX_VAR_DESC)};
  static const BlockDesc block{"Wattmetric", vars};
  return block;
}

}  // namespace trivex
