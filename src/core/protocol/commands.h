#pragma once
// The fixed device commands and the request forms built from them. A request is an optional
// address prefix ("A1:", or "aa:" for the device at the port) followed by elements separated
// by commas.
#include <string>
#include <string_view>

#include "config/port_settings.h"

namespace trivex::cmd {

inline constexpr std::string_view kPortPrefix = "aa:";       // the device at the port
inline constexpr std::string_view kAllPrefix = "all,";       // every device on the bus
inline constexpr std::string_view kVersion = "ver+";         // "ZYR-D: Version 1.4.30  "
inline constexpr std::string_view kVersionDot = "ver.+";     // "ZYR-D;1.4.30"
inline constexpr std::string_view kDirectory = "aa:dir+";    // identifiers, one per line
inline constexpr std::string_view kDeviceName = "device.+";  // the device name
inline constexpr std::string_view kIdentify = "AA::,Kenn,!+";  // address number at the port
inline constexpr std::string_view kSelectPort = "AA::";
inline constexpr std::string_view kStation = "station#+";
inline constexpr std::string_view kConfigBegin = "ZyrConfig=1";
inline constexpr std::string_view kConfigEnd = "ZyrConfig=0";
inline constexpr std::string_view kDateFormat = "DatumFormat+.";
inline constexpr std::string_view kDate = "Date//=";
inline constexpr std::string_view kNetFileSizeReset = "ZyrNetFSize=0";
inline constexpr std::string_view kNetFileSize = "ZyrNetFSize+#";
inline constexpr std::string_view kNetFileName = "NetFile";

// prefix + "fsr+# " + file: number of blocks of a device file.
std::string FileSize(std::string_view prefix, std::string_view file);
// prefix + "fread.+ " + file + " " + block: one stuffed block followed by its CRC.
std::string FileRead(std::string_view prefix, std::string_view file, int block);
// prefix + "SetCom" + port + "+#" / prefix + "SetLan" + side + "+#": port settings text.
std::string ComSettingsQuery(std::string_view prefix, std::string_view port);
std::string LanSettingsQuery(std::string_view prefix, std::string_view side);
// "SetCom%s=%s 0.5" and "SetLan%s=%s" with the settings texts.
std::string SetCom(std::string_view port, const TComSettings& settings);
std::string SetLan(std::string_view side, const TTynetSettings& settings);
// "SetKenn=" + identifier text; "Device=\"" + name + "\"".
std::string SetKenn(int id);
std::string SetDeviceName(std::string_view name);

}  // namespace trivex::cmd
