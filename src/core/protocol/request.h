#pragma once
// Building the elements of a device request. Writes are "Name=value" (with array indices or
// a text index between the name and "="), reads are the name followed by a query suffix and
// the indices. Reals always travel with "." as decimal point, whatever the user's locale.
//
//   req::Write("ZyrWLog", 1)                       -> "ZyrWLog=1"
//   req::WriteReal("ZyrWMsgDelay", 0.5)            -> "ZyrWMsgDelay=0.5"
//   req::Write(req::Indexed("ZyrMRelFu", {3, 2}), 7) -> "ZyrMRelFu 3 2=7"
//   req::Query("ZyrMRelChan", req::kNumber, {3, 2}) -> "ZyrMRelChan+# 3 2"
//   req::WithPrefix("A1:", "ver+")                 -> "A1:ver+"
#include <initializer_list>
#include <string>
#include <string_view>

namespace trivex::req {

// Query suffixes after a variable name.
inline constexpr std::string_view kNumber = "+#";        // reals and integers
inline constexpr std::string_view kCode = "_+#";         // booleans and enumerations
inline constexpr std::string_view kHashPlus = "#+";      // a few variables ("ZyrMasterId#+")
inline constexpr std::string_view kAll = "#+ *";         // all elements of an array at once
inline constexpr std::string_view kHashUnderscorePlus = "#_+";
inline constexpr std::string_view kPlusHashUnderscore = "+#_";

// "Name i" or "Name i j": the name of an array element.
std::string Indexed(std::string_view name, std::initializer_list<int> indices);
// "Name text": an element with a text index ("ZyrWImin A1").
std::string Indexed(std::string_view name, std::string_view index_text);

std::string Write(std::string_view name, long long value);          // "%d"
std::string WriteReal(std::string_view name, double value);         // "%g" with "."
std::string WriteText(std::string_view name, std::string_view text);  // unchanged
std::string WriteQuoted(std::string_view name, std::string_view text);  // in double quotes

// Name + suffix, then a blank and each index.
std::string Query(std::string_view name, std::string_view suffix,
                  std::initializer_list<int> indices = {});

// Puts the address prefix in front of an element, never twice: an element that already
// begins with the prefix is returned unchanged; an empty prefix changes nothing.
std::string WithPrefix(std::string_view prefix, std::string_view element);
// True when a request would carry nothing but its prefix (such requests are never sent).
bool IsPrefixOnly(std::string_view request, std::string_view prefix);
// Elements joined with commas.
std::string Join(std::initializer_list<std::string_view> elements);

}  // namespace trivex::req
