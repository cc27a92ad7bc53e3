// Random and mutated input for the record, file and decoder layers: errors are allowed, a
// crash or a read outside the data is not (this test is also run under AddressSanitizer).
#include <gtest/gtest.h>

#include <random>

#include "lang/lang.h"
#include "log_builder.h"
#include "logbook_fuzz_input.h"

namespace trivex {
namespace {
using namespace trivex::testing;

// Codes every decoder knows, with and without the direction and regulator bits.
const uint16_t kCodes[] = {4,   8,   12,  17,  18,  20,  24,  28,  32,  36,     40,     44,     45,     46,
                           48,  52,  65,  75,  96,  100, 104, 108, 112, 120,    124,    128,    132,    136,
                           148, 152, 156, 160, 257, 261, 264, 273, 277, 288,    292,    512,    1,      2,
                           3,   5,   300, 511, 999, 0x4001, 0xC002, 0x4004, 0x4005, 0xE105, 0x6256, 0x63FF};

Bytes RandomBytes(std::mt19937& rng, size_t max) {
  Bytes b(rng() % (max + 1));
  for (auto& x : b) x = static_cast<uint8_t>(rng());
  return b;
}

TEST(LogbookFuzz, RandomRecordsLinesAndEvents) {
  lang::SetCurrentLanguage(lang::German);
  std::mt19937 rng(20240917);
  for (int round = 0; round < 3000; ++round) {
    // Plausible events with random data, laid out in records, then damaged a little.
    std::vector<TRawLogEvent> events;
    const int n = static_cast<int>(rng() % 12);
    for (int i = 0; i < n; ++i) {
      Bytes data = RandomBytes(rng, 40);
      if (data.size() % 2) data.pop_back();
      events.push_back(Raw(kCodes[rng() % std::size(kCodes)], data, 1000 + static_cast<uint32_t>(i)));
    }
    TLogRecordList list;
    BuildRecords(events, {2 * static_cast<int>(1 + rng() % 40)}, list);
    Bytes input{0};
    for (int r = 0; r < list.Count(); ++r) {
      auto raw = list[r].RawBytes();
      Bytes rec(raw.begin(), raw.end());
      for (int k = static_cast<int>(rng() % 4); k > 0 && !rec.empty(); --k)
        rec[rng() % rec.size()] = static_cast<uint8_t>(rng());
      input.push_back(static_cast<uint8_t>(rec.size()));
      input.insert(input.end(), rec.begin(), rec.end());
    }
    fuzz::FuzzLogbookInput(input.data(), input.size());

    // The same records as log file lines, some of them damaged.
    std::string text = "\x01id=A;name=n;grp=g;typ=ZYR-D;ver=1;fi=0;li=0;mod=8;von=0;bis=0;closed=0\r\n";
    for (int r = 0; r < list.Count(); ++r) {
      std::string line = list[r].ToLine();
      if (rng() % 3 == 0) line[rng() % line.size()] = "0F;.: \r\nZ"[rng() % 9];
      text += line + "\r\n";
    }
    fuzz::FuzzLogbookInput(reinterpret_cast<const uint8_t*>(text.data()), text.size());

    // Pure noise in every form.
    for (uint8_t mode : {0, 1, 2}) {
      Bytes noise = RandomBytes(rng, 300);
      noise.insert(noise.begin(), mode);
      fuzz::FuzzLogbookInput(noise.data(), noise.size());
    }
    // Each event alone, cut short at every length.
    for (const auto& e : events) {
      for (size_t len = 0; len <= e.data.size(); ++len) {
        Bytes one{2, static_cast<uint8_t>(e.code >> 8), static_cast<uint8_t>(e.code)};
        one.insert(one.end(), e.data.begin(), e.data.begin() + static_cast<long>(len));
        fuzz::FuzzLogbookInput(one.data(), one.size());
      }
    }
  }
  lang::SetCurrentLanguage(lang::English);
}

}  // namespace
}  // namespace trivex
