#pragma once
// Locale-free formatting shared by the whole program.
//
// Format() understands the format strings the program's texts use:
//   %s %d %u %x %X %g %f %e %n %%, flags "-" (pad right) and "0", width and ".precision",
//   "*" for width or precision taken from the next argument, and "%N:" argument indices
//   ("%1:s"): the following plain specifiers continue from the next index.
//   %x and %X both print upper-case hexadecimal digits; %g prints the shortest form with up
//   to 15 significant digits (".p" limits it to p); %f without a precision prints two
//   decimals; %n is a number with thousands separators.
// Decimal points are the given separator (FormatWith) or the program-wide decimal separator
// of CurrentFormats() (Format). The process locale is never consulted.
// A specifier whose argument is missing or of an unsuitable type throws FormatError.
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace trivex {

class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class FmtArg {
 public:
  using Value = std::variant<int64_t, uint64_t, double, std::string_view>;
  FmtArg(int v) : v_(int64_t{v}) {}
  FmtArg(long v) : v_(int64_t{v}) {}
  FmtArg(long long v) : v_(int64_t{v}) {}
  FmtArg(unsigned v) : v_(uint64_t{v}) {}
  FmtArg(unsigned long v) : v_(uint64_t{v}) {}
  FmtArg(unsigned long long v) : v_(uint64_t{v}) {}
  FmtArg(double v) : v_(v) {}
  FmtArg(const char* v) : v_(std::string_view(v ? v : "")) {}
  FmtArg(const std::string& v) : v_(std::string_view(v)) {}
  FmtArg(std::string_view v) : v_(v) {}
  const Value& value() const { return v_; }

 private:
  Value v_;  // string arguments are views: they live until Format returns
};

std::string Format(std::string_view fmt, std::initializer_list<FmtArg> args);
std::string FormatWith(char decimal_separator, std::string_view fmt,
                       std::initializer_list<FmtArg> args);

// Numbers without locale: "%g" with up to 15 significant digits and "." as decimal point.
std::string FormatG(double v, char decimal_separator = '.');

}  // namespace trivex
