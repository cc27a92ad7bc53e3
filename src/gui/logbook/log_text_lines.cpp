#include "logbook/log_text_lines.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

namespace trivex {

int TLogTextLines::Build(TLogRecordList& records, TLogEventFactory factory, const TLogRenderContext& ctx,
                         uint32_t from, uint32_t until) {
  Clear();
  records_ = &records;
  factory_ = std::move(factory);
  ctx_ = ctx;
  if (!factory_ || !records.SeekTime(from)) return 0;
  auto make_chunks = [this] {
    chunks_.resize((events_.size() + kChunkEvents - 1) / kChunkEvents);
  };
  TRawLogEvent event;
  try {
    for (;;) {
      const int rec = records.CursorRecord(), off = records.CursorOffset();
      if (!records.ReadEvent(event) || event.secs > until) break;
      events_.push_back({rec, off, event.secs});
    }
  } catch (...) {
    make_chunks();
    throw;
  }
  make_chunks();
  if (events_.empty()) return 0;
  return std::max(0, records.CursorRecord() - events_.front().rec + 1);
}

void TLogTextLines::Clear() {
  records_ = nullptr;
  factory_ = nullptr;
  events_.clear();
  events_.shrink_to_fit();
  chunks_.clear();
  counted_chunks_ = 0;
  counted_lines_ = counted_bytes_ = counted_events_ = 0;
  cache_.clear();
  error_.clear();
}

int64_t TLogTextLines::LineCount() const {
  if (Complete() || counted_events_ == 0) {
    return Complete() ? counted_lines_ : EventCount();
  }
  const double per_event = static_cast<double>(counted_lines_) / static_cast<double>(counted_events_);
  return counted_lines_ + std::llround(static_cast<double>(EventCount() - counted_events_) * per_event);
}

int64_t TLogTextLines::TextLength() const {
  if (Complete() || counted_events_ == 0) return Complete() ? counted_bytes_ : EventCount() * 64;
  const double per_event = static_cast<double>(counted_bytes_) / static_cast<double>(counted_events_);
  return counted_bytes_ + std::llround(static_cast<double>(EventCount() - counted_events_) * per_event);
}

void TLogTextLines::RenderChunk(size_t c, Rendered& out) {
  out.chunk = c;
  out.text.clear();
  out.starts.clear();
  out.event_lines.clear();
  const size_t e0 = c * kChunkEvents;
  const size_t e1 = std::min(e0 + kChunkEvents, events_.size());
  if (e0 >= e1 || !records_) return;
  records_->SetCursor(events_[e0].rec, events_[e0].off);
  TRawLogEvent raw;
  std::vector<uint32_t> event_offsets;  // where each event's text begins
  event_offsets.reserve(e1 - e0);
  for (size_t e = e0; e < e1; ++e) {
    try {
      if (!records_->ReadEvent(raw)) throw std::runtime_error("end of data");
      event_offsets.push_back(static_cast<uint32_t>(out.text.size()));
      if (auto event = factory_(raw)) event->Render(ctx_, out.text);
    } catch (const std::exception& ex) {
      // The lines end before the event that cannot be decoded.
      error_ = ex.what();
      if (event_offsets.size() > e - e0) {
        out.text.resize(event_offsets.back());
        event_offsets.pop_back();
      }
      events_.resize(e);
      chunks_.resize((events_.size() + kChunkEvents - 1) / kChunkEvents);
      counted_chunks_ = std::min(counted_chunks_, chunks_.size());
      for (auto it = cache_.begin(); it != cache_.end();)
        it = it->chunk >= chunks_.size() || it->chunk == c ? cache_.erase(it) : std::next(it);
      break;
    }
  }
  // A line begins at the start and after every line end that is not the last character.
  for (size_t p = 0; p < out.text.size(); ++p)
    if (p == 0 || out.text[p - 1] == '\n') out.starts.push_back(static_cast<uint32_t>(p));
  size_t line = 0;
  for (uint32_t offset : event_offsets) {
    while (line < out.starts.size() && out.starts[line] < offset) ++line;
    out.event_lines.push_back(static_cast<uint32_t>(line));
  }
}

const TLogTextLines::Rendered& TLogTextLines::Cached(size_t c) {
  for (auto it = cache_.begin(); it != cache_.end(); ++it) {
    if (it->chunk != c) continue;
    if (it != cache_.begin()) cache_.splice(cache_.begin(), cache_, it);
    return cache_.front();
  }
  cache_.emplace_front();
  RenderChunk(c, cache_.front());
  if (cache_.size() > kCachedChunks) cache_.pop_back();
  return cache_.front();
}

bool TLogTextLines::CountNext() {
  if (Complete()) return false;
  const size_t c = counted_chunks_;
  Rendered r;
  RenderChunk(c, r);
  if (c >= chunks_.size()) return false;  // an error cut the list before this chunk
  Chunk& chunk = chunks_[c];
  chunk.first_line = counted_lines_;
  chunk.first_byte = counted_bytes_;
  chunk.lines = static_cast<int32_t>(r.starts.size());
  chunk.bytes = static_cast<int32_t>(r.text.size());
  counted_lines_ += chunk.lines;
  counted_bytes_ += chunk.bytes;
  counted_events_ = static_cast<int64_t>(std::min(events_.size(), (c + 1) * kChunkEvents));
  ++counted_chunks_;
  // Keep it: the chunk counted last is usually the one looked at next.
  cache_.push_front(std::move(r));
  if (cache_.size() > kCachedChunks) cache_.pop_back();
  return true;
}

bool TLogTextLines::CountMore(std::chrono::microseconds budget) {
  const auto end = std::chrono::steady_clock::now() + budget;
  while (!Complete()) {
    CountNext();
    if (std::chrono::steady_clock::now() >= end) break;
  }
  return Complete();
}

void TLogTextLines::CountAll() {
  while (!Complete()) CountNext();
}

bool TLogTextLines::EnsureLine(int64_t n) {
  if (n < 0) return false;
  while (n >= counted_lines_ && !Complete()) CountNext();
  return n < counted_lines_;
}

size_t TLogTextLines::ChunkOfLine(int64_t n) const {
  auto end = chunks_.begin() + static_cast<long>(counted_chunks_);
  auto it = std::upper_bound(chunks_.begin(), end, n, [](int64_t v, const Chunk& c) { return v < c.first_line; });
  return static_cast<size_t>(it - chunks_.begin()) - 1;
}

bool TLogTextLines::HasLine(int64_t n) { return EnsureLine(n); }

std::string_view TLogTextLines::Line(int64_t n) {
  if (!EnsureLine(n)) return {};
  const size_t c = ChunkOfLine(n);
  const Rendered& r = Cached(c);
  const size_t k = static_cast<size_t>(n - chunks_[c].first_line);
  if (k >= r.starts.size()) return {};
  const size_t start = r.starts[k];
  size_t end = k + 1 < r.starts.size() ? r.starts[k + 1] : r.text.size();
  if (end > start && r.text[end - 1] == '\n') --end;
  if (end > start && r.text[end - 1] == '\r') --end;
  return std::string_view(r.text).substr(start, end - start);
}

int64_t TLogTextLines::LineOffset(int64_t n) {
  if (!EnsureLine(n)) return counted_bytes_;
  const size_t c = ChunkOfLine(n);
  const Rendered& r = Cached(c);
  const size_t k = static_cast<size_t>(n - chunks_[c].first_line);
  return chunks_[c].first_byte + (k < r.starts.size() ? r.starts[k] : 0);
}

int64_t TLogTextLines::EventOfLine(int64_t n) {
  if (!EnsureLine(n)) return -1;
  const size_t c = ChunkOfLine(n);
  const Rendered& r = Cached(c);
  const uint32_t k = static_cast<uint32_t>(n - chunks_[c].first_line);
  // The last event of the chunk whose lines begin at or before line k.
  auto it = std::upper_bound(r.event_lines.begin(), r.event_lines.end(), k);
  return static_cast<int64_t>(c * kChunkEvents) + (it - r.event_lines.begin()) - 1;
}

int64_t TLogTextLines::FirstLineOfEvent(int64_t e) {
  if (e < 0 || e >= EventCount()) return -1;
  const size_t c = static_cast<size_t>(e) / kChunkEvents;
  while (counted_chunks_ <= c && !Complete()) CountNext();
  if (c >= counted_chunks_) return -1;
  const Rendered& r = Cached(c);
  const size_t k = static_cast<size_t>(e) - c * kChunkEvents;
  if (k >= r.event_lines.size()) return -1;
  return chunks_[c].first_line + r.event_lines[k];
}

std::string TLogTextLines::TakeError() {
  std::string e;
  e.swap(error_);
  return e;
}

}  // namespace trivex
