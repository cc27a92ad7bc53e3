// The lines of the logbook view made chunk by chunk: the same text as rendering every event
// at once, consistent line, offset and event numbers, and a decoding error that ends the
// lines before the event that cannot be decoded.
#include <gtest/gtest.h>

#include "../logbook/log_builder.h"
#include "lang/lang.h"
#include "logbook/log_export.h"
#include "logbook/log_text_lines.h"

namespace trivex {
namespace {
using namespace trivex::testing;

// ZYR-D events: earth fault (one line), harmonics (two lines), transient reset (one line);
// event `bad` is an earth fault without its data.
std::vector<TRawLogEvent> Events(int count, int bad = -1) {
  std::vector<TRawLogEvent> events;
  for (int i = 0; i < count; ++i) {
    const uint32_t secs = 1000 + static_cast<uint32_t>(i / 3);
    if (i == bad) {
      events.push_back(Raw(17, {}, secs));
      continue;
    }
    switch (i % 3) {
      case 0: {
        Bytes d = {0x32, 0};
        AppendBEFloat(d, 230.0f);
        events.push_back(Raw(17, d, secs, static_cast<uint16_t>(i)));
        break;
      }
      case 1: {
        Bytes d = {0x12, 1};
        AppendBEFloat(d, 100);
        AppendBE16(d, 1);
        d.push_back(1);
        d.push_back(1);
        AppendBE16(d, 1);
        AppendBEFloat(d, 1.5f);
        AppendBEFloat(d, 0.5f);
        events.push_back(Raw(24, d, secs));
        break;
      }
      default: events.push_back(Raw(65, {}, secs)); break;
    }
  }
  return events;
}

std::string RenderAll(TLogRecordList& records, const TLogEventFactory& factory, const TLogRenderContext& ctx,
                      uint32_t from, uint32_t until) {
  std::string text;
  ForEachEventInRange(records, from, until, [&](const TRawLogEvent& raw) {
    if (auto e = factory(raw)) e->Render(ctx, text);
  });
  return text;
}

TEST(LogTextLines, ChunksGiveTheTextOfAllEventsWithConsistentNumbers) {
  lang::SetCurrentLanguage(lang::English);
  TLogRecordList records;
  BuildRecords(Events(1500), {256}, records);
  const TLogEventFactory factory = LogEventFactoryForType("ZYR-D", true);
  const TLogRenderContext ctx;
  const uint32_t from = 1100, until = 1400;  // a range in the middle, whole seconds
  const std::string expected = RenderAll(records, factory, ctx, from, until);

  TLogTextLines lines;
  lines.Build(records, factory, ctx, from, until);
  EXPECT_EQ(lines.EventCount(), (until - from + 1) * 3);
  EXPECT_FALSE(lines.Complete());
  // Line 700 is asked for first: counting goes as far as it needs.
  std::vector<std::string> split;
  for (size_t start = 0, end; (end = expected.find("\r\n", start)) != std::string::npos; start = end + 2)
    split.push_back(expected.substr(start, end - start));
  EXPECT_EQ(lines.Line(700), split[700]);
  lines.CountAll();
  ASSERT_EQ(lines.LineCount(), static_cast<int64_t>(split.size()));
  EXPECT_EQ(lines.TextLength(), static_cast<int64_t>(expected.size()));
  int64_t offset = 0;
  for (size_t i = 0; i < split.size(); ++i) {
    ASSERT_EQ(lines.Line(static_cast<int64_t>(i)), split[i]) << i;
    ASSERT_EQ(lines.LineOffset(static_cast<int64_t>(i)), offset) << i;
    offset += static_cast<int64_t>(split[i].size()) + 2;
  }
  EXPECT_EQ(lines.Line(lines.LineCount()), "");
  for (int64_t e = 0; e < lines.EventCount(); e += 7) EXPECT_EQ(lines.EventOfLine(lines.FirstLineOfEvent(e)), e);

  std::string streamed;
  lines.ForEachChunkText([&](const std::string& text) { streamed += text; });
  EXPECT_EQ(streamed, expected);
  EXPECT_EQ(lines.TakeError(), "");
}

TEST(LogTextLines, ADecodingErrorEndsTheLinesBeforeTheBadEvent) {
  lang::SetCurrentLanguage(lang::English);
  TLogRecordList records;
  const int bad = 1300;  // in the third chunk
  BuildRecords(Events(2000, bad), {256}, records);
  const TLogEventFactory factory = LogEventFactoryForType("ZYR-D", true);
  const TLogRenderContext ctx;
  TLogRecordList good;
  BuildRecords(Events(bad), {256}, good);
  const std::string expected = RenderAll(good, factory, ctx, 0, 0xFFFFFFFF);

  TLogTextLines lines;
  lines.Build(records, factory, ctx, 0, 0xFFFFFFFF);
  EXPECT_EQ(lines.EventCount(), 2000);
  lines.CountAll();
  EXPECT_NE(lines.TakeError().find(".Create: invalid Data"), std::string::npos);
  EXPECT_EQ(lines.EventCount(), bad);
  std::string streamed;
  lines.ForEachChunkText([&](const std::string& text) { streamed += text; });
  EXPECT_EQ(streamed, expected);
  EXPECT_EQ(lines.TextLength(), static_cast<int64_t>(expected.size()));
}

}  // namespace
}  // namespace trivex
