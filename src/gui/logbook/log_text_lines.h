#pragma once
// TLogTextLines: the decoded text of a time range of a log file, made line by line as it is
// looked at. Building walks the range once and keeps where each event starts; the events
// are decoded and rendered in chunks when their lines are needed, a few chunks stay cached,
// and the lines are counted in order (in idle time, or at once as far as a request needs),
// so a log of a million events opens at once and the memory stays small.
#include <chrono>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/log_event.h"
#include "logbook/log_record_list.h"
#include "logbook/log_render_context.h"

namespace trivex {

class TLogTextLines {
 public:
  static constexpr int kChunkEvents = 512;
  static constexpr size_t kCachedChunks = 48;

  // Finds the events of the range [from, until] (whole seconds) in `records`, which must stay
  // unchanged until the next Build or Clear. Returns the number of records spanned. An
  // inconsistent event stream raises ELogFileError; the events before it are kept.
  int Build(TLogRecordList& records, TLogEventFactory factory, const TLogRenderContext& ctx, uint32_t from,
            uint32_t until);
  void Clear();

  int64_t EventCount() const { return static_cast<int64_t>(events_.size()); }
  // All lines counted.
  bool Complete() const { return counted_chunks_ == chunks_.size(); }
  // Number of lines: exact once Complete(), an estimate before.
  int64_t LineCount() const;
  // Bytes of the whole text (lines with CR LF): exact once Complete(), an estimate before.
  int64_t TextLength() const;
  // Counts further chunks for at most `budget`; true when all are counted.
  bool CountMore(std::chrono::microseconds budget);
  void CountAll();

  // Line n without its CR LF; empty beyond the end. Counts as far as needed.
  std::string_view Line(int64_t n);
  // Line n exists (counting as far as needed).
  bool HasLine(int64_t n);
  // Byte offset of the start of line n in the whole text (counting as far as needed).
  int64_t LineOffset(int64_t n);
  // Index of the first event rendered on line n, and the first line of event e (-1: none).
  int64_t EventOfLine(int64_t n);
  int64_t FirstLineOfEvent(int64_t e);
  // Device time of event e.
  uint32_t EventSecs(int64_t e) const { return events_[static_cast<size_t>(e)].secs; }

  // Calls fn(text) for the text of each chunk in order (lines with CR LF) without filling the
  // cache: the whole text for export and search.
  template <class Fn>
  void ForEachChunkText(Fn&& fn) {
    for (size_t c = 0; c < chunks_.size(); ++c) {
      Rendered r;
      RenderChunk(c, r);
      fn(r.text);
      if (c >= chunks_.size()) break;  // a decoding error cut the list
    }
  }

  // The message of a decoding error met since the last call (the lines end before the
  // event that failed); empty when there was none.
  std::string TakeError();

 private:
  struct EventPos {
    int32_t rec;
    int32_t off;
    uint32_t secs;
  };
  struct Chunk {
    int64_t first_line = 0;  // valid for counted chunks
    int64_t first_byte = 0;
    int32_t lines = -1;      // -1: not counted yet
    int32_t bytes = 0;
  };
  struct Rendered {
    size_t chunk = 0;
    std::string text;
    std::vector<uint32_t> starts;       // start of each line in text
    std::vector<uint32_t> event_lines;  // line where each event's text begins
  };

  void RenderChunk(size_t c, Rendered& out);
  const Rendered& Cached(size_t c);
  bool CountNext();
  // Counts until line n is counted or everything is; false when there is no line n.
  bool EnsureLine(int64_t n);
  size_t ChunkOfLine(int64_t n) const;  // among the counted chunks

  TLogRecordList* records_ = nullptr;
  TLogEventFactory factory_;
  TLogRenderContext ctx_;
  std::vector<EventPos> events_;
  std::vector<Chunk> chunks_;
  size_t counted_chunks_ = 0;
  int64_t counted_lines_ = 0, counted_bytes_ = 0, counted_events_ = 0;
  std::list<Rendered> cache_;  // most recently used first
  std::string error_;
};

}  // namespace trivex
