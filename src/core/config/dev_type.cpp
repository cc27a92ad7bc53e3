#include "config/dev_type.h"

#include "config/text_util.h"

namespace trivex {
namespace {
constexpr std::string_view kNames[] = {"",      "RER-I",  "JOP-D",  "VAD-AZ", "ZYR-D",
                                       "WUD-D", "ZYR-DM", "REZ-OZ", "ZED-UDE"};
}  // namespace

std::string_view DevTypeName(TDevType type) {
  return type < std::size(kNames) ? kNames[type] : std::string_view{};
}

TDevType DevTypeOfName(std::string_view name) {
  name = TrimBlanks(name);
  for (size_t i = 1; i < std::size(kNames); ++i)
    if (EqualsNoCase(kNames[i], name)) return static_cast<TDevType>(i);
  return dtUnknown;
}

}  // namespace trivex
