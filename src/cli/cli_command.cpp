#include "cli_command.h"

#include <ostream>

namespace trivex::cli {

namespace {
std::vector<Command>& Table() {
  static std::vector<Command> table;
  return table;
}
}  // namespace

void Register(const Command& command) { Table().push_back(command); }
const std::vector<Command>& Commands() { return Table(); }

bool TakeOption(std::vector<std::string>& args, const std::string& name, std::string& value) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == name && i + 1 < args.size()) {
      value = args[i + 1];
      args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
      return true;
    }
    if (args[i].rfind(name + "=", 0) == 0) {
      value = args[i].substr(name.size() + 1);
      args.erase(args.begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == name) {
      args.erase(args.begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

int Fail(Context& ctx, int code, const std::string& message) {
  *ctx.err << "trivex-cli: " << message << '\n';
  return code;
}

}  // namespace trivex::cli
