#pragma once
// The simulated station: its devices, their variables, and the table of request handlers.
//
// How a request is answered
//   The frame server (frame_server.h) takes a framed request off the pseudo-terminal and
//   hands its text to AnswerRequest (sim_request.h). That resolves the address prefix
//   ("aa:", "AA:", a device identifier such as "A1:", "all," or a leading comma that keeps
//   the device addressed last), splits the rest into elements at commas outside double
//   quotes, and offers each element to the registered handlers in ascending order until one
//   takes it. The texts the handlers produce are joined into the reply text.
//
// How to add answers for a new area (logbook, files, configuration, panel, ...)
//   1. Create src/sim/handlers_<area>.cpp (the build picks up every .cpp of this folder).
//   2. Write one or more functions
//          bool MyHandler(trivex::sim::ElementContext& ctx, std::string_view element,
//                         std::string& out);
//      Return false when the element is not yours (the next handler gets it). Return true
//      when you took it; append the answer text to `out` (raw bytes are fine), or call
//      ctx.Refuse("reason") for a "<<" refusal of the whole request, or set ctx.no_reply to
//      let the request go unanswered.
//   3. Register them at file scope:
//          TRIVEX_SIM_HANDLER("fread", 200, MyHandler);
//      Order: identity commands use 100, the generic variable reads and writes 1000 (the
//      fall-back); use a number below 1000 so your handler sees its elements first.
//   4. State of your own per device: ctx.device.Ext<MyState>() gives a default-constructed
//      MyState that lives as long as the device. Per station: ctx.station.Ext<MyState>().
//   5. Station file keys of your own ("file log.h = path"): register
//          TRIVEX_SIM_STATION_KEY("file", MyKeyFunction);
//      with bool MyKeyFunction(SimDevice&, std::string_view key, std::string_view value,
//      std::string& error); it gets every key of a device section whose first word is the
//      given word.
//   6. Command line options of your own: TRIVEX_SIM_OPTION("--broken-crc", "PATTERN",
//      "help text", MyOptionFunction) with bool MyOptionFunction(std::string_view value,
//      std::string& error) (value empty for an option written without "ARG" text).
//   7. Bytes outside any frame (a modem's "AT" lines, the terminal's raw text) are cut into
//      lines at CR and offered to raw handlers: TRIVEX_SIM_RAW_HANDLER("modem", MyRaw) with
//      bool MyRaw(SimStation&, std::string_view line, std::string& out); `out` is written
//      to the line unframed.
//   8. Control lines of your own on standard input (with --stdin): register
//          TRIVEX_SIM_CONTROL("addevents", MyControl);
//      with bool MyControl(SimStation&, std::string_view line, std::string& error); it gets
//      every line whose first word is the given word (false: `error` is reported).
//   9. Add a test in tests/link (or your own test folder) that starts trivex-sim and talks
//      to it through the link.
#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "variable_store.h"

namespace trivex::sim {

// Identifier text of a bus address: 1 -> "A:", 2 -> "A1:", 11 -> "B:", 255 -> "Z4:".
std::string DeviceIdText(int address);
// Address of an identifier at the start of `text` ("a1:" -> 2); the identifier's length in
// `length`. 0 when the text does not begin with an identifier.
int ParseDeviceIdPrefix(std::string_view text, size_t& length);

// Per-object state of other areas, created on first use.
class Extensions {
 public:
  template <class T>
  T& Ext() {
    auto& slot = ext_[std::type_index(typeid(T))];
    if (!slot.has_value()) slot = std::make_shared<T>();
    return *std::any_cast<std::shared_ptr<T>&>(slot);
  }

 private:
  std::map<std::type_index, std::any> ext_;
};

class SimDevice : public Extensions {
 public:
  int address = 1;          // bus address 1..255
  std::string type;         // "ZYR-D", "ZYR-DM", "VAD-AZ", "ZED-UDE"
  std::string version;      // firmware version text, "1.2.20"
  std::string name;         // the device name ("device.+")
  std::string station;      // the station name ("station#+")
  VariableStore vars;
  std::string selected;     // the name the last bare-name element selected (",Kenn,!+")

  std::string Identifier() const { return DeviceIdText(address); }
};

class SimStation : public Extensions {
 public:
  std::vector<std::unique_ptr<SimDevice>> devices;  // in bus order
  int port_address = 1;     // the device at the port
  bool leading_crlf = false;  // every reply text begins with CR LF

  SimDevice* Find(int address);
  SimDevice* PortDevice();
  SimDevice& Add(int address, std::string type, std::string version, std::string name);
};

// The station of a ZYR-D master at A:, a ZYR-D slave at A1: and a ZYR-DM at B:.
void BuildDefaultStation(SimStation& station);

// What a handler sees of one element of a request.
struct ElementContext {
  SimStation& station;
  SimDevice& device;       // the addressed device
  bool broadcast = false;  // "all,": the element goes to every device, this is one of them
  std::string refusal;     // set by Refuse()
  bool no_reply = false;

  void Refuse(std::string reason) { refusal = std::move(reason); }
};

using ElementHandler = bool (*)(ElementContext& ctx, std::string_view element, std::string& out);
using StationKeyHandler = bool (*)(SimDevice& device, std::string_view key, std::string_view value,
                                   std::string& error);
using OptionHandler = bool (*)(std::string_view value, std::string& error);
using RawHandler = bool (*)(SimStation& station, std::string_view line, std::string& out);
using ControlHandler = bool (*)(SimStation& station, std::string_view line, std::string& error);

struct HandlerEntry {
  const char* name;
  int order;
  ElementHandler fn;
};
struct StationKeyEntry {
  const char* word;
  StationKeyHandler fn;
};
struct RawHandlerEntry {
  const char* name;
  RawHandler fn;
};
struct ControlEntry {
  const char* word;  // first word of the control line
  ControlHandler fn;
};
struct OptionEntry {
  const char* option;  // "--broken-crc"
  const char* arg;     // "PATTERN", or "" for a flag
  const char* help;
  OptionHandler fn;
};

bool RegisterHandler(const HandlerEntry& entry);
bool RegisterStationKey(const StationKeyEntry& entry);
bool RegisterOption(const OptionEntry& entry);
bool RegisterRawHandler(const RawHandlerEntry& entry);
bool RegisterControl(const ControlEntry& entry);
// Handlers in ascending order.
const std::vector<HandlerEntry>& Handlers();
const std::vector<StationKeyEntry>& StationKeys();
const std::vector<OptionEntry>& Options();
const std::vector<RawHandlerEntry>& RawHandlers();
const std::vector<ControlEntry>& Controls();

}  // namespace trivex::sim

#define TRIVEX_SIM_CONCAT2(a, b) a##b
#define TRIVEX_SIM_CONCAT(a, b) TRIVEX_SIM_CONCAT2(a, b)
#define TRIVEX_SIM_HANDLER(name, order, fn)                               \
  static const bool TRIVEX_SIM_CONCAT(trivex_sim_handler_, __LINE__) = \
      ::trivex::sim::RegisterHandler({name, order, fn})
#define TRIVEX_SIM_STATION_KEY(word, fn)                                      \
  static const bool TRIVEX_SIM_CONCAT(trivex_sim_station_key_, __LINE__) = \
      ::trivex::sim::RegisterStationKey({word, fn})
#define TRIVEX_SIM_RAW_HANDLER(name, fn)                                      \
  static const bool TRIVEX_SIM_CONCAT(trivex_sim_raw_handler_, __LINE__) = \
      ::trivex::sim::RegisterRawHandler({name, fn})
#define TRIVEX_SIM_OPTION(option, arg, help, fn)                         \
  static const bool TRIVEX_SIM_CONCAT(trivex_sim_option_, __LINE__) = \
      ::trivex::sim::RegisterOption({option, arg, help, fn})
#define TRIVEX_SIM_CONTROL(word, fn)                                       \
  static const bool TRIVEX_SIM_CONCAT(trivex_sim_control_, __LINE__) = \
      ::trivex::sim::RegisterControl({word, fn})
