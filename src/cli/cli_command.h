#pragma once
// The command table of trivex-cli. Each command is a file cmd_<name>.cpp that registers
// itself with TRIVEX_CLI_COMMAND; a command name may have two words ("config new").
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "lang/lang.h"

namespace trivex::cli {

// Exit status of every command.
enum Exit : int {
  kExitOk = 0,
  kExitFailure = 1,
  kExitUsage = 64,
  kExitBadInput = 65,
  kExitLinkBase = 10,  // 10 + n for a link failure with result code -n
};

struct Context {
  // Common options.
  std::string port;          // --port PATH
  int baud = 9600;           // --baud N
  int timeout_ms = -1;       // --timeout MS (-1: the link's default)
  int language = 1;          // --lang de|en|it (default English)
  std::optional<char> list_separator;  // --list-separator C
  // What is left after the command name and the common options.
  std::vector<std::string> args;
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;
};

struct Command {
  const char* name;     // "devices", "config new"
  const char* usage;    // "config new --type ZYR-D|ZYR-DM -o FILE.ini"
  const lang::Text3* summary;  // one line for --help, in three languages
  int (*run)(Context&);
};

void Register(const Command& command);
const std::vector<Command>& Commands();

// Helpers for command options: takes "--name VALUE" out of args; false when absent.
bool TakeOption(std::vector<std::string>& args, const std::string& name, std::string& value);
bool TakeFlag(std::vector<std::string>& args, const std::string& name);
// Prints "trivex-cli: <message>" to the error stream and returns `code`.
int Fail(Context& ctx, int code, const std::string& message);

}  // namespace trivex::cli

#define TRIVEX_CLI_CONCAT2(a, b) a##b
#define TRIVEX_CLI_CONCAT(a, b) TRIVEX_CLI_CONCAT2(a, b)
#define TRIVEX_CLI_COMMAND(...)                                                         \
  static const bool TRIVEX_CLI_CONCAT(trivex_cli_registered_, __LINE__) =              \
      (::trivex::cli::Register(::trivex::cli::Command{__VA_ARGS__}), true)
