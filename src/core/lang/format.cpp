#include "lang/format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "lang/system_formats.h"

namespace trivex {
namespace {

struct Specifier {
  bool left = false;
  bool zero = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

[[noreturn]] void Throw(std::string_view fmt, const char* what) {
  throw FormatError(std::string("Format \"") + std::string(fmt) + "\": " + what);
}

std::string Fixed(double v, int precision) {
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, precision);
  if (r.ec != std::errc()) return "INF";
  return std::string(buf, r.ptr);
}

// The shortest text with at most `digits` significant digits; exponent form as "1E20".
std::string General(double v, int digits) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (digits <= 0 || digits > 15) digits = 15;
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
  std::string s(buf, r.ptr);
  size_t e = s.find('e');
  if (e == std::string::npos) return s;
  std::string mant = s.substr(0, e);
  std::string exp = s.substr(e + 1);
  bool neg = !exp.empty() && exp[0] == '-';
  size_t i = (!exp.empty() && (exp[0] == '-' || exp[0] == '+')) ? 1 : 0;
  while (i + 1 < exp.size() && exp[i] == '0') ++i;
  return mant + "E" + (neg ? "-" : "") + exp.substr(i);
}

std::string Scientific(double v, int precision) {
  if (precision < 0 || precision > 18) precision = 15;
  char buf[64];
  // Mantissa with (precision - 1) decimals, exponent sign and at least three digits.
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific,
                         precision > 0 ? precision - 1 : 0);
  std::string s(buf, r.ptr);
  size_t e = s.find('e');
  if (e == std::string::npos) return s;
  std::string mant = s.substr(0, e);
  char sign = s[e + 1] == '-' ? '-' : '+';
  std::string digits = s.substr(e + 2);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  return mant + "E" + sign + digits;
}

// A fixed-point text ("-1234.50") with thousands groups and the given decimal separator.
std::string WithThousands(const std::string& fixed, char thousands, char dec) {
  size_t start = (!fixed.empty() && fixed[0] == '-') ? 1 : 0;
  size_t dot = fixed.find('.');
  size_t int_end = dot == std::string::npos ? fixed.size() : dot;
  std::string out = fixed.substr(0, start);
  for (size_t i = start; i < int_end; ++i) {
    out += fixed[i];
    size_t remaining = int_end - i - 1;
    if (remaining > 0 && remaining % 3 == 0) out += thousands;
  }
  if (int_end < fixed.size()) {
    out += dec;
    out += fixed.substr(int_end + 1);
  }
  return out;
}

size_t CharCount(std::string_view s) {
  size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// The bytes of the first `chars` characters.
size_t CharPrefixBytes(std::string_view s, size_t chars) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (n == chars) return i;
      ++n;
    }
  }
  return s.size();
}

void ReplaceDot(std::string& s, char sep) {
  if (sep == '.') return;
  for (char& c : s)
    if (c == '.') c = sep;
}

}  // namespace

std::string FormatG(double v, char decimal_separator) {
  std::string s = General(v, 15);
  ReplaceDot(s, decimal_separator);
  return s;
}

std::string FormatWith(char dec, std::string_view fmt, std::initializer_list<FmtArg> list) {
  std::vector<const FmtArg*> args;
  args.reserve(list.size());
  for (const auto& a : list) args.push_back(&a);
  size_t next = 0;
  std::string out;
  out.reserve(fmt.size() + 16);

  auto take = [&]() -> const FmtArg& {
    if (next >= args.size()) Throw(fmt, "missing argument");
    return *args[next++];
  };
  auto take_int = [&]() -> int64_t {
    const auto& v = take().value();
    if (auto p = std::get_if<int64_t>(&v)) return *p;
    if (auto p = std::get_if<uint64_t>(&v)) return static_cast<int64_t>(*p);
    Throw(fmt, "argument is not an integer");
  };

  for (size_t i = 0; i < fmt.size(); ++i) {
    char c = fmt[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i >= fmt.size()) Throw(fmt, "incomplete specifier");
    if (fmt[i] == '%') {
      out += '%';
      continue;
    }
    Specifier sp;
    // Optional argument index "N:" (or "*:").
    {
      size_t j = i;
      int n = 0;
      bool digits = false;
      while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9') {
        n = n * 10 + (fmt[j] - '0');
        ++j;
        digits = true;
      }
      if (digits && j < fmt.size() && fmt[j] == ':') {
        next = static_cast<size_t>(n);
        i = j + 1;
      }
    }
    for (; i < fmt.size() && (fmt[i] == '-' || fmt[i] == '0'); ++i) {
      if (fmt[i] == '-') sp.left = true;
      else sp.zero = true;
    }
    if (i < fmt.size() && fmt[i] == '*') {
      sp.width = static_cast<int>(take_int());
      if (sp.width < 0) {
        sp.left = true;
        sp.width = -sp.width;
      }
      ++i;
    } else {
      while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
        sp.width = (sp.width < 0 ? 0 : sp.width) * 10 + (fmt[i] - '0');
        ++i;
      }
    }
    if (i < fmt.size() && fmt[i] == '.') {
      ++i;
      sp.precision = 0;
      if (i < fmt.size() && fmt[i] == '*') {
        sp.precision = static_cast<int>(take_int());
        ++i;
      } else {
        while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
          sp.precision = sp.precision * 10 + (fmt[i] - '0');
          ++i;
        }
      }
    }
    if (i >= fmt.size()) Throw(fmt, "incomplete specifier");
    sp.type = static_cast<char>(std::tolower(static_cast<unsigned char>(fmt[i])));

    std::string text;
    const auto& v = take().value();
    switch (sp.type) {
      case 'd':
      case 'u': {
        int64_t n;
        bool neg = false;
        uint64_t mag;
        if (auto p = std::get_if<int64_t>(&v)) {
          n = *p;
          if (sp.type == 'u' && n < 0) {
            mag = static_cast<uint32_t>(n);  // unsigned 32-bit view as the device does
          } else {
            neg = n < 0;
            mag = neg ? static_cast<uint64_t>(-(n + 1)) + 1 : static_cast<uint64_t>(n);
          }
        } else if (auto q = std::get_if<uint64_t>(&v)) {
          mag = *q;
        } else {
          Throw(fmt, "argument of %d is not an integer");
        }
        std::string digits = std::to_string(mag);
        if (sp.precision > 0 && static_cast<int>(digits.size()) < sp.precision)
          digits.insert(0, static_cast<size_t>(sp.precision) - digits.size(), '0');
        text = (neg ? "-" : "") + digits;
        break;
      }
      case 'x': {
        uint64_t mag;
        if (auto p = std::get_if<int64_t>(&v)) mag = *p < 0 ? static_cast<uint32_t>(*p) : static_cast<uint64_t>(*p);
        else if (auto q = std::get_if<uint64_t>(&v)) mag = *q;
        else Throw(fmt, "argument of %x is not an integer");
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, mag, 16);
        text.assign(buf, r.ptr);
        for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (sp.precision > 0 && static_cast<int>(text.size()) < sp.precision)
          text.insert(0, static_cast<size_t>(sp.precision) - text.size(), '0');
        break;
      }
      case 'f':
      case 'g':
      case 'e':
      case 'n':
      case 'm': {
        double d;
        if (auto p = std::get_if<double>(&v)) d = *p;
        else if (auto q = std::get_if<int64_t>(&v)) d = static_cast<double>(*q);
        else if (auto r = std::get_if<uint64_t>(&v)) d = static_cast<double>(*r);
        else Throw(fmt, "argument is not a number");
        if (sp.type == 'f') {
          text = Fixed(d, sp.precision < 0 ? 2 : sp.precision);
        } else if (sp.type == 'g') {
          text = General(d, sp.precision < 0 ? 15 : sp.precision);
        } else if (sp.type == 'e') {
          text = Scientific(d, sp.precision);
        } else {
          text = WithThousands(Fixed(d, sp.precision < 0 ? 2 : sp.precision),
                               dec == ',' ? '.' : ',', dec);
        }
        if (sp.type != 'n') ReplaceDot(text, dec);
        break;
      }
      case 's': {
        if (auto p = std::get_if<std::string_view>(&v)) text = std::string(*p);
        else Throw(fmt, "argument of %s is not a text");
        if (sp.precision >= 0 && CharCount(text) > static_cast<size_t>(sp.precision))
          text.resize(CharPrefixBytes(text, static_cast<size_t>(sp.precision)));
        break;
      }
      default:
        Throw(fmt, "unknown specifier");
    }
    // Widths count characters, not the bytes of their UTF-8 form.
    if (sp.width > 0 && CharCount(text) < static_cast<size_t>(sp.width)) {
      size_t pad = static_cast<size_t>(sp.width) - CharCount(text);
      if (sp.left) text.append(pad, ' ');
      else if (sp.zero && sp.type != 's') {
        size_t at = (!text.empty() && text[0] == '-') ? 1 : 0;
        text.insert(at, pad, '0');
      } else text.insert(0, pad, ' ');
    }
    out += text;
  }
  return out;
}

std::string Format(std::string_view fmt, std::initializer_list<FmtArg> args) {
  return FormatWith(CurrentFormats().decimal_separator, fmt, args);
}

}  // namespace trivex
