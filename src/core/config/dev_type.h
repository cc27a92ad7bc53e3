#pragma once
// Device models, as a device names itself in its version replies ("ZYR-D: Version ...",
// "ZYR-D;1.4.30").
#include <cstdint>
#include <string_view>

namespace trivex {

enum TDevType : uint8_t {
  dtUnknown, dtQuvD, dtJopD, dtQuvDP, dtZyrD, dtWudD, dtZyrDM, dtQuvDA, dtQuvDPA
};

// "RER-I", "JOP-D", "VAD-AZ", "ZYR-D", "WUD-D", "ZYR-DM", "REZ-OZ", "ZED-UDE"; "" for dtUnknown.
std::string_view DevTypeName(TDevType type);
// The model of a type name (blanks around it ignored, letters in either case); dtUnknown
// for any other text.
TDevType DevTypeOfName(std::string_view name);

}  // namespace trivex
