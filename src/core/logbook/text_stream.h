#pragma once
// A file of CR LF lines, read and written through a buffer. A line ends at a CR (one LF
// right after it belongs to the line end); an LF alone does not end a line. The open line
// flag tells that the last line written or found has no CR LF yet.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trivex {

// The file cannot be opened, read or written; the message names the file.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TTextStream {
 public:
  enum Mode {
    kOpenRead,       // existing file, reading
    kOpenReadWrite,  // existing file, reading and writing
    kCreate,         // new or truncated file, writing (and reading back)
  };

  TTextStream(const std::string& path, Mode mode);
  ~TTextStream();  // writes what is buffered; errors there are lost: call Close() to see them
  TTextStream(const TTextStream&) = delete;
  TTextStream& operator=(const TTextStream&) = delete;

  // Reads the next line without its line end. Returns its length: 0 at the end of the file
  // and for an empty line.
  size_t ReadLine(std::string& line);
  // Writes CR LF first when a line is open, then the text and CR LF.
  void WriteLine(std::string_view text);
  // Writes the text unchanged; the line stays open unless the text ends with CR LF.
  void WriteText(std::string_view text);
  // Puts the position at the start of the last line; false (position 0) for an empty file.
  bool SeekLastLine();
  // Reads up to n bytes; returns how many were read.
  size_t Read(void* buffer, size_t n);

  int64_t Position() const;
  void Seek(int64_t position);
  int64_t Size();
  bool OpenLine() const { return open_line_; }
  const std::string& Path() const { return path_; }
  // Writes what is buffered and closes the file; raises EStreamError when that fails.
  void Close();

 private:
  void FlushWrite();
  void DropReadBuffer();
  bool FillReadBuffer();
  void WriteRaw(std::string_view bytes);
  void ReadExact(int64_t position, char* dst, size_t n);
  [[noreturn]] void ThrowWriteError(int error) const;

  std::string path_;
  int fd_ = -1;
  bool open_line_ = false;
  std::vector<char> rbuf_;
  size_t rpos_ = 0, rlen_ = 0;
  std::string wbuf_;
  int64_t fd_pos_ = 0;  // position of the file descriptor
};

}  // namespace trivex
