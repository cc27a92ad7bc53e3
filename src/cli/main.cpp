// trivex-cli: the core's device and file operations from a shell.
#include <langinfo.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli_command.h"
#include "lang/format.h"
#include "lang/lang.h"
#include "lang/system_formats.h"
#include "lang/texts_cli.h"
#include "lang/texts_clihelp.h"
#include "app/startup.h"

using namespace trivex;
using namespace trivex::cli;

namespace {

// The user's system formats from the locale of the environment, read once; afterwards the
// process keeps the C locale so that nothing formats by it. C/POSIX gives the defaults.
SystemFormats FormatsFromEnvironment() {
  SystemFormats f;
  const char* name = std::setlocale(LC_ALL, "");
  const std::string locale = name ? name : "C";
  if (locale != "C" && locale != "POSIX" && locale.rfind("C.", 0) != 0) {
    const lconv* lc = std::localeconv();
    if (lc && lc->decimal_point && lc->decimal_point[0]) f.decimal_separator = lc->decimal_point[0];
    // "%d.%m.%Y" -> "dd.mm.yyyy"; "%H:%M:%S" gives the time separator.
    std::string date;
    for (const char* p = nl_langinfo(D_FMT); *p; ++p) {
      if (*p != '%') {
        date += *p;
        continue;
      }
      switch (*++p) {
        case 'd': date += "dd"; break;
        case 'm': date += "mm"; break;
        case 'y': date += "yy"; break;
        case 'Y': date += "yyyy"; break;
        case '\0': --p; break;
        default: break;
      }
    }
    if (!date.empty()) f.short_date = FourDigitYearPattern(date);
    for (const char* p = nl_langinfo(T_FMT); *p; ++p) {
      if (*p == '%') {
        if (!*++p) break;
      } else if (!std::isalpha(static_cast<unsigned char>(*p))) {
        f.time_separator = *p;
        break;
      }
    }
    f.list_separator = DefaultListSeparator(f.decimal_separator);
  }
  std::setlocale(LC_ALL, "C");
  return f;
}


void PrintHelp(std::ostream& out) {
  using lang::Tr;
  out << "Trivex " << ProgramVersion() << " - " << Tr(tx::clihelp::Title) << "\n\n"
      << Tr(tx::clihelp::Usage) << "\n\n"
      << Tr(tx::clihelp::Options) << "\n"
      << "  --port PATH          " << Tr(tx::clihelp::OptPort) << "\n"
      << "  --baud N             " << Tr(tx::clihelp::OptBaud) << "\n"
      << "  --timeout MS         " << Tr(tx::clihelp::OptTimeout) << "\n"
      << "  --lang de|en|it      " << Tr(tx::clihelp::OptLang) << "\n"
      << "  --list-separator C   " << Tr(tx::clihelp::OptListSeparator) << "\n"
      << "  --help, --version\n\n"
      << Tr(tx::clihelp::Commands) << "\n";
  std::vector<Command> sorted = Commands();
  std::sort(sorted.begin(), sorted.end(),
            [](const Command& a, const Command& b) { return std::string(a.name) < b.name; });
  for (const auto& c : sorted) {
    std::string u = c.usage;
    out << "  " << u;
    if (u.size() < 44) out << std::string(44 - u.size(), ' ');
    else out << "\n" << std::string(46, ' ');
    out << lang::Tr(*c.summary) << '\n';
  }
  out << '\n' << lang::Tr(tx::clihelp::ExitStatus) << '\n';
}

const Command* FindCommand(std::vector<std::string>& args) {
  // The longest registered name that the first words of args spell.
  const Command* best = nullptr;
  size_t best_words = 0;
  for (const auto& c : Commands()) {
    std::string name = c.name;
    size_t words = 1 + static_cast<size_t>(std::count(name.begin(), name.end(), ' '));
    if (words > args.size() || words <= best_words) continue;
    std::string joined = args[0];
    for (size_t i = 1; i < words; ++i) joined += " " + args[i];
    if (joined == name) {
      best = &c;
      best_words = words;
    }
  }
  if (best) args.erase(args.begin(), args.begin() + static_cast<long>(best_words));
  return best;
}

bool ParseInt(const std::string& s, int& v) {
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && p == s.data() + s.size();
}

}  // namespace

int main(int argc, char** argv) {
  Context ctx;
  ctx.out = &std::cout;
  ctx.err = &std::cerr;
  std::vector<std::string> args(argv + 1, argv + argc);
  lang::SetCurrentLanguage(lang::English);

  SetCurrentFormats(FormatsFromEnvironment());

  // Common options may stand anywhere.
  std::string value;
  if (TakeOption(args, "--lang", value)) {
    if (value == "de") ctx.language = lang::German;
    else if (value == "en") ctx.language = lang::English;
    else if (value == "it") ctx.language = lang::Italian;
    else return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageBadLanguage), {value}));
    lang::SetCurrentLanguage(ctx.language);
  }
  TakeOption(args, "--port", ctx.port);
  if (TakeOption(args, "--baud", value) && (!ParseInt(value, ctx.baud) || ctx.baud <= 0))
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageBadNumber), {value, "--baud"}));
  if (TakeOption(args, "--timeout", value) && (!ParseInt(value, ctx.timeout_ms) || ctx.timeout_ms <= 0))
    return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageBadNumber), {value, "--timeout"}));
  if (TakeOption(args, "--list-separator", value)) {
    if (value.size() != 1)
      return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageBadNumber), {value, "--list-separator"}));
    ctx.list_separator = value[0];
    SystemFormats f = CurrentFormats();
    f.list_separator = value[0];
    SetCurrentFormats(f);
  }

  if (args.empty()) {
    PrintHelp(std::cerr);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(std::cout);
    return kExitOk;
  }
  if (args[0] == "--version") {
    std::cout << "Trivex " << ProgramVersion() << '\n';
    return kExitOk;
  }

  const Command* cmd = FindCommand(args);
  if (!cmd) return Fail(ctx, kExitUsage, Format(lang::Tr(tx::cli::UsageUnknownCommand), {args[0]}));
  if (std::find(args.begin(), args.end(), "--help") != args.end()) {
    std::cout << Format(lang::Tr(tx::clihelp::UsageOne), {cmd->usage}) << "\n" << lang::Tr(*cmd->summary) << '\n';
    return kExitOk;
  }
  ctx.args = std::move(args);
  try {
    return cmd->run(ctx);
  } catch (const std::exception& e) {
    return Fail(ctx, kExitFailure, e.what());
  }
}
