#pragma once
// The user's system formats (short date pattern, time separator, decimal separator, list
// separator). The program takes them from the user's locale once at start-up and hands
// them to the core as one value; the command line derives them from its environment.
// In the C/POSIX locale: short date "yyyy-mm-dd", time ":", decimal ".", list ",".
#include <string>

namespace trivex {

struct SystemFormats {
  std::string short_date = "yyyy-mm-dd";
  char time_separator = ':';
  char decimal_separator = '.';
  char list_separator = ',';  // ";" where the decimal separator is ","
};

const SystemFormats& CurrentFormats();
void SetCurrentFormats(const SystemFormats& formats);
// The list separator that goes with a decimal separator: ';' for ',', else ','.
char DefaultListSeparator(char decimal_separator);

}  // namespace trivex
