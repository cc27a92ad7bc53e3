#pragma once
// Reading device replies. A reply may begin with CR LF, which is removed before use; a reply
// that then begins with "<<" is the device's refusal and counts as a failed exchange even
// though the device acknowledged the frame. Numbers use "." (read tolerantly); lists are
// lines separated by CR LF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trivex::reply {

std::string_view StripLeadingCrLf(std::string_view reply);
// True when the reply (with or without its leading CR LF) is a refusal.
bool IsRefusal(std::string_view reply);
// The reply check after every successful attempt: removes a leading CR LF in place and
// returns false for a refusal.
bool Accept(std::string& reply);

// A numeric reply: leading CR LF and blanks removed, "." or "," as decimal point.
std::optional<double> Number(std::string_view reply);
// An integer reply (a number with a fraction is not one).
std::optional<long long> Integer(std::string_view reply);
// The non-empty lines of a list reply, each trimmed.
std::vector<std::string> Lines(std::string_view reply);
// The items of a "#+ *" array reply, separated by blanks or line breaks.
std::vector<std::string> Items(std::string_view reply);

}  // namespace trivex::reply
