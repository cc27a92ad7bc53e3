#pragma once
// TNetListConverter: compiles the station net list text (one line per row of the station
// table, fields separated by TAB) into the station model, and writes a station model back
// as net list text. A fault in the text raises ENetList naming the line.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/enumerations.h"
#include "config/net_list_data.h"

namespace trivex {

class ENetList : public std::runtime_error {
 public:
  explicit ENetList(const std::string& message, int line = 0) : std::runtime_error(message), line_(line) {}
  // The line the message names (the later one of two), 0 when it names none.
  int Line() const { return line_; }

 private:
  int line_;
};

class TNetListConverter {
 public:
  // Compiles the lines for a system of the given type (stZYRDM: every measurement and
  // binary input belongs to the relay `master_id`) into `data`, which is cleared first.
  // Raises ENetList on the first fault; `data` then holds what was built so far.
  static void Compile(TSystemType type, uint8_t master_id, const std::vector<std::string>& lines,
                      TNetListData& data);
  static TNetListData Compile(TSystemType type, uint8_t master_id, const std::vector<std::string>& lines);

  // Writes the station model as net list lines (`lines` is cleared first). Raises ENetList
  // when the model holds a segment or switch that no net list line can express.
  static void Generate(TSystemType type, const TNetListData& data, std::vector<std::string>& lines);
  static std::vector<std::string> Generate(TSystemType type, const TNetListData& data);
};

}  // namespace trivex
