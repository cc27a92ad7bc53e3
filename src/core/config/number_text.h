#pragma once
// Numbers in texts, without the process locale: parsing with either decimal separator,
// number checks of text fields, range checks and angle folding.
#include <optional>
#include <string>
#include <string_view>

namespace trivex {

// Strict conversion: blanks around the number, an optional sign, digits with at most one
// `decimal_separator`, an optional exponent ("E-3"). No thousands separators. nullopt when
// the text is not such a number (an empty text is none).
std::optional<double> TryParseNumber(std::string_view text, char decimal_separator);

// Tolerant parsing: an empty text gives 0; otherwise tries the given separator, then "."
// (or "," when the given one is "."). Raises ConvertError "\"TEXT\" is not a valid floating
// point value" when both fail.
double ParseNumberTolerant(std::string_view text, char decimal_separator);
// The same with the program's current decimal separator.
double ParseNumberTolerant(std::string_view text);

// Integer conversion of a whole text (blanks around it allowed, optional sign).
std::optional<long long> TryParseInteger(std::string_view text);

// Number checks of text fields: an integer text is an optional sign followed by digits only;
// a decimal text additionally allows at most one decimal separator.
bool IsIntegerText(std::string_view text);
bool IsDecimalText(std::string_view text, char decimal_separator);

// Range check of an edited value against two bounds in either order: -1 below, +1 above,
// 0 inside. RangeMessage is the text shown when it is outside ("Value range from 1.0 to 5.0").
int CheckRange(double value, double bound1, double bound2);
std::string RangeMessage(double bound1, double bound2);

// Radians to degrees, folded into (-180, 180].
double NormalizeAngleDeg(double radians);

}  // namespace trivex
