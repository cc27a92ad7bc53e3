// trivex-sim: plays a station of devices on a pseudo-terminal.
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "fault_injector.h"
#include "frame_server.h"
#include "sim_device.h"
#include "station_file.h"

using namespace trivex::sim;

namespace {

void PrintHelp(std::ostream& out) {
  out << "Usage: trivex-sim [OPTIONS]\n\n"
         "Plays a station of devices on a pseudo-terminal. The first line of standard output\n"
         "is the pseudo-terminal's path; open that path as the serial port. The simulator\n"
         "serves until SIGTERM or SIGINT (with --stdin also until standard input ends).\n\n"
         "Options:\n"
         "  --station FILE       the devices to play (default: a ZYR-D master at A:, a ZYR-D\n"
         "                       slave at A1:, a ZYR-DM at B:; the master is at the port)\n"
         "  --baud N             pace every reply like a line of N baud (10 bits per byte);\n"
         "                       a request counts as received when its last byte would have\n"
         "                       arrived at that rate (default: unpaced)\n"
         "  --delay MS           turnaround time before each reply (fractions allowed)\n"
         "  --fault KIND[:PATTERN[:COUNT]]\n"
         "                       inject a fault for requests whose text contains PATTERN\n"
         "                       (empty or * for all), for the first COUNT of them (default\n"
         "                       all); KIND: noreply, nak (NAK with a text), badsum (reply\n"
         "                       checksum off by one), refuse (a \"<<\" refusal). Repeatable;\n"
         "                       the first fault that matches applies.\n"
         "  --crlf               every reply text begins with CR LF\n"
         "  --log FILE           write every frame as a line \"RX <hex>\" or \"TX <hex>\"\n"
         "  --link PATH          also make PATH a symbolic link to the pseudo-terminal\n"
         "  --stdin              read control commands from standard input, one a line:\n"
         "                       \"fault KIND[:PATTERN[:COUNT]]\", \"clear\" (drop all faults), \"quit\"\n";
  for (const auto& o : Options()) {
    std::string head = std::string("  ") + o.option + (*o.arg ? std::string(" ") + o.arg : "");
    out << head;
    if (head.size() < 23) out << std::string(23 - head.size(), ' ');
    else out << "\n" << std::string(23, ' ');
    out << o.help << '\n';
  }
  if (!Controls().empty()) {
    out << "\nFurther control lines (--stdin):";
    for (const auto& c : Controls()) out << ' ' << c.word;
    out << " (see the options above)\n";
  }
  out << "\nStation file (INI-like text):\n"
         "  # comment (also ;)\n"
         "  port = A:                 the device at the port (default: the first device)\n"
         "  crlf = 1                  replies begin with CR LF\n"
         "  [A:]                      a device section, named by the device identifier\n"
         "  type = ZYR-D              ZYR-D, ZYR-DM, VAD-AZ, ZED-UDE\n"
         "  version = 1.2.20          firmware version text\n"
         "  name = ZYR-D Master       device name\n"
         "  station = North           station name\n"
         "  ZyrWLog = 1               any other key is a device variable\n"
         "  ZyrMRelFu 1 2 = 3         array elements: indices after the name\n\n"
         "Requests: an optional prefix (\"aa:\" or \"AA:\" the device at the port, an\n"
         "identifier such as \"A1:\", \"all,\" every device, a leading comma the device\n"
         "addressed last), then elements separated by commas: \"ver+\", \"ver.+\",\n"
         "\"device.+\", \"dir+\", \"station#+\", writes \"Name=value\", reads \"Name\" with a\n"
         "query suffix (\"+#\", \"_+#\", \"#+\", \"#+ *\", \"#\", ...), and \",Kenn,!+\".\n"
         "A request with a wrong checksum is answered with NAK.\n";
}

bool ParseLong(const std::string& s, long& v) {
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && p == s.data() + s.size();
}

int Usage(const std::string& message) {
  std::cerr << "trivex-sim: " << message << "\n(see trivex-sim --help)\n";
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  SimStation station;
  BuildDefaultStation(station);
  FaultInjector faults;
  ServerOptions opt;
  std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v, error;
    if (a == "--help" || a == "-h") {
      PrintHelp(std::cout);
      return 0;
    } else if (a == "--station") {
      if (!value(v)) return Usage("--station needs a file");
      if (!LoadStationFile(v, station, error)) return Usage(error);
    } else if (a == "--baud") {
      if (!value(v) || !ParseLong(v, opt.baud) || opt.baud < 0) return Usage("--baud needs a number");
    } else if (a == "--delay") {
      if (!value(v)) return Usage("--delay needs a number");
      char* end = nullptr;
      opt.delay_ms = std::strtod(v.c_str(), &end);
      if (end == v.c_str() || *end || opt.delay_ms < 0) return Usage("--delay needs a number");
    } else if (a == "--fault") {
      if (!value(v)) return Usage("--fault needs KIND[:PATTERN[:COUNT]]");
      if (!faults.Add(v, error)) return Usage(error);
    } else if (a == "--crlf") {
      station.leading_crlf = true;
    } else if (a == "--log") {
      if (!value(opt.log_path)) return Usage("--log needs a file");
    } else if (a == "--link") {
      if (!value(opt.link_path)) return Usage("--link needs a path");
    } else if (a == "--stdin") {
      opt.stdin_control = true;
    } else {
      bool taken = false;
      for (const auto& o : Options()) {
        if (a != o.option) continue;
        if (*o.arg && !value(v)) return Usage(a + " needs " + o.arg);
        if (!o.fn(*o.arg ? v : std::string(), error)) return Usage(error);
        taken = true;
        break;
      }
      if (!taken) return Usage("unknown option " + a);
    }
  }

  FrameServer server(station, faults, opt);
  std::string path, error;
  if (!server.Open(path, error)) {
    std::cerr << "trivex-sim: " << error << '\n';
    return 1;
  }
  std::cout << path << std::endl;
  return server.Run();
}
