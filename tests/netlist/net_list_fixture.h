#pragma once
// Small helpers for net list tests: compiling lines and showing the model compactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "config/net_list_converter.h"
#include "lang/lang.h"

namespace nltest {

using trivex::TNetListData;

// Net list tests compare the English messages.
class English : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = trivex::lang::CurrentLanguage();
    trivex::lang::SetCurrentLanguage(trivex::lang::English);
  }
  void TearDown() override { trivex::lang::SetCurrentLanguage(saved_); }

 private:
  int saved_ = 0;
};

inline TNetListData CompileD(const std::vector<std::string>& lines, uint8_t master = 1) {
  return trivex::TNetListConverter::Compile(trivex::stZYRD, master, lines);
}
inline TNetListData CompileDm(const std::vector<std::string>& lines, uint8_t master = 1) {
  return trivex::TNetListConverter::Compile(trivex::stZYRDM, master, lines);
}

// A net list line from (field number, text) pairs; fields between stay empty.
inline std::string Row(std::initializer_list<std::pair<int, const char*>> fields) {
  std::vector<std::string> f(15);
  int last = 1;
  for (const auto& [n, text] : fields) {
    f[static_cast<size_t>(n)] = text;
    last = std::max(last, n);
  }
  std::string s = f[1];
  for (int i = 2; i <= last; ++i) s += "\t" + f[static_cast<size_t>(i)];
  return s;
}

// "11B 12B 24 25I": segment ids with the tags U, B, I.
inline std::string Segments(const TNetListData& d) {
  std::string s;
  for (const auto& seg : d.segments) {
    if (!s.empty()) s += ' ';
    s += std::to_string(seg.id);
    if (seg.VoltageMeasured()) s += 'U';
    if (seg.Busbar()) s += 'B';
    if (seg.CurrentMeasured()) s += 'I';
  }
  return s;
}

// "11:11-24 15:24-25": switch ids with their segments.
inline std::string Switches(const TNetListData& d) {
  std::string s;
  for (const auto& sw : d.switches) {
    if (!s.empty()) s += ' ';
    s += std::to_string(sw.id) + ":" + std::to_string(sw.segment1) + "-" + std::to_string(sw.segment2);
  }
  return s;
}

// The message of the ENetList that compiling raises, "" when it compiles.
inline std::string CompileError(trivex::TSystemType type, const std::vector<std::string>& lines, int* line = nullptr) {
  try {
    trivex::TNetListConverter::Compile(type, 1, lines);
  } catch (const trivex::ENetList& e) {
    if (line) *line = e.Line();
    return e.what();
  }
  return "";
}

}  // namespace nltest
