#include "logbook/text_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "lang/format.h"
#include "lang/lang.h"
#include "lang/texts_logbook.h"

namespace trivex {
namespace {
constexpr size_t kBufferSize = 64 * 1024;
constexpr size_t kSearchWindow = 4096;
}  // namespace

TTextStream::TTextStream(const std::string& path, Mode mode) : path_(path) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case kOpenRead: flags |= O_RDONLY; break;
    case kOpenReadWrite: flags |= O_RDWR; break;
    case kCreate: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
  }
  fd_ = ::open(path.c_str(), flags, 0666);
  if (fd_ < 0)
    throw EStreamError(Format(lang::Tr(tx::logbook::CannotOpenFile), {path, std::strerror(errno)}));
  struct stat st;
  if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw EStreamError(Format(lang::Tr(tx::logbook::CannotOpenFile), {path, std::strerror(EISDIR)}));
  }
}

TTextStream::~TTextStream() {
  try {
    Close();
  } catch (...) {
  }
}

void TTextStream::Close() {
  if (fd_ < 0) return;
  try {
    FlushWrite();
  } catch (...) {
    ::close(fd_);
    fd_ = -1;
    throw;
  }
  const int rc = ::close(fd_);
  fd_ = -1;
  if (rc != 0) ThrowWriteError(errno);
}

void TTextStream::ThrowWriteError(int error) const {
  throw EStreamError(Format(lang::Tr(tx::logbook::CannotWriteFile), {path_, std::strerror(error)}));
}

int64_t TTextStream::Position() const {
  return fd_pos_ - static_cast<int64_t>(rlen_ - rpos_) + static_cast<int64_t>(wbuf_.size());
}

void TTextStream::FlushWrite() {
  size_t done = 0;
  while (done < wbuf_.size()) {
    const ssize_t n = ::write(fd_, wbuf_.data() + done, wbuf_.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      wbuf_.clear();
      ThrowWriteError(error);
    }
    done += static_cast<size_t>(n);
    fd_pos_ += n;
  }
  wbuf_.clear();
}

void TTextStream::DropReadBuffer() {
  if (rpos_ == rlen_) {
    rpos_ = rlen_ = 0;
    return;
  }
  const int64_t pos = Position();
  rpos_ = rlen_ = 0;
  fd_pos_ = ::lseek(fd_, pos, SEEK_SET);
}

void TTextStream::Seek(int64_t position) {
  FlushWrite();
  rpos_ = rlen_ = 0;
  fd_pos_ = ::lseek(fd_, std::max<int64_t>(position, 0), SEEK_SET);
}

int64_t TTextStream::Size() {
  FlushWrite();
  struct stat st;
  if (::fstat(fd_, &st) != 0) return 0;
  return st.st_size;
}

bool TTextStream::FillReadBuffer() {
  FlushWrite();
  if (rbuf_.size() != kBufferSize) rbuf_.resize(kBufferSize);
  for (;;) {
    const ssize_t n = ::read(fd_, rbuf_.data(), rbuf_.size());
    if (n < 0 && errno == EINTR) continue;
    rpos_ = 0;
    rlen_ = n > 0 ? static_cast<size_t>(n) : 0;
    fd_pos_ += static_cast<int64_t>(rlen_);
    return rlen_ > 0;
  }
}

size_t TTextStream::ReadLine(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (rpos_ == rlen_ && !FillReadBuffer()) {
      // End of the file without a line end.
      if (any) open_line_ = true;
      return line.size();
    }
    const char* begin = rbuf_.data() + rpos_;
    const char* end = rbuf_.data() + rlen_;
    const char* cr = static_cast<const char*>(std::memchr(begin, '\r', static_cast<size_t>(end - begin)));
    if (!cr) {
      line.append(begin, end);
      any = true;
      rpos_ = rlen_;
      continue;
    }
    line.append(begin, cr);
    rpos_ = static_cast<size_t>(cr - rbuf_.data()) + 1;
    if (rpos_ == rlen_) FillReadBuffer();
    if (rpos_ < rlen_ && rbuf_[rpos_] == '\n') ++rpos_;
    open_line_ = false;
    return line.size();
  }
}

size_t TTextStream::Read(void* buffer, size_t n) {
  char* dst = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < n) {
    if (rpos_ == rlen_ && !FillReadBuffer()) break;
    const size_t k = std::min(n - done, rlen_ - rpos_);
    std::memcpy(dst + done, rbuf_.data() + rpos_, k);
    rpos_ += k;
    done += k;
  }
  return done;
}

void TTextStream::WriteRaw(std::string_view bytes) {
  DropReadBuffer();
  wbuf_.append(bytes);
  if (wbuf_.size() >= kBufferSize) FlushWrite();
}

void TTextStream::WriteLine(std::string_view text) {
  if (open_line_) WriteRaw("\r\n");
  WriteRaw(text);
  WriteRaw("\r\n");
  open_line_ = false;
}

void TTextStream::WriteText(std::string_view text) {
  WriteRaw(text);
  open_line_ = !(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n");
}

void TTextStream::ReadExact(int64_t position, char* dst, size_t n) {
  Seek(position);
  if (Read(dst, n) != n) throw EStreamError("Stream read error");
}

bool TTextStream::SeekLastLine() {
  const int64_t size = Size();
  if (size == 0) {
    Seek(0);
    return false;
  }
  int64_t limit = size;
  open_line_ = true;
  if (size >= 2) {
    char tail[2];
    ReadExact(size - 2, tail, 2);
    if (tail[0] == '\r' && tail[1] == '\n') {
      open_line_ = false;
      limit = size - 2;
    }
  }
  // The last CR LF that ends before `limit`: the last line starts after it.
  std::vector<char> window(kSearchWindow + 1);
  int64_t end = limit;
  int64_t found = 0;
  while (end > 0 && found == 0) {
    const int64_t start = std::max<int64_t>(0, end - static_cast<int64_t>(kSearchWindow));
    const int64_t stop = std::min(end + 1, limit);  // one byte more for an LF across windows
    ReadExact(start, window.data(), static_cast<size_t>(stop - start));
    for (int64_t i = end - 1; i >= start; --i) {
      if (i + 1 < stop && window[static_cast<size_t>(i - start)] == '\r' &&
          window[static_cast<size_t>(i - start + 1)] == '\n') {
        found = i + 2;
        break;
      }
    }
    end = start;
  }
  Seek(found);
  return true;
}

}  // namespace trivex
