#pragma once
// The reader of configuration files: INI sections with "key=value" lines, keys and sections
// looked up without regard to case. Files are Windows-1252; values come out as UTF-8.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trivex {

class IniFile {
 public:
  // Parses the text of a file (bytes in Windows-1252, lines ending in CR LF or LF).
  static IniFile FromBytes(std::string_view bytes);
  // Reads a file; throws std::runtime_error with the system's message when it cannot be read.
  static IniFile Load(const std::string& path);

  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  // The raw value, or `def` when the key is missing.
  std::string Read(std::string_view section, std::string_view key, std::string_view def = {}) const;
  const std::string* Find(std::string_view section, std::string_view key) const;

 private:
  static std::string Lower(std::string_view s);
  // "section\nkey" in lower case -> value; the first occurrence of a key counts.
  std::unordered_map<std::string, std::string> values_;
  std::unordered_map<std::string, bool> sections_;
};

// Collects the lines of a configuration file and writes them as Windows-1252 with CR LF.
class IniWriter {
 public:
  void Section(std::string_view name);  // "[name]"
  void Line(std::string_view line);
  void Key(std::string_view key, std::string_view value);  // "key=value"
  void Blank() { Line(""); }
  const std::string& Text() const { return text_; }  // UTF-8, CR LF line ends
  std::string Bytes() const;                          // Windows-1252

 private:
  std::string text_;
};

// Writes `bytes` to a temporary file beside `path` and renames it into place, so an error
// or crash never leaves a half-written file. Throws std::runtime_error on failure (the old
// file is untouched then).
void WriteFileAtomically(const std::string& path, std::string_view bytes);
// True when the file exists and cannot be written by the user.
bool IsReadOnlyFile(const std::string& path);
// Sets the file's read-only attribute (removes every write permission); false on failure.
bool SetReadOnlyFile(const std::string& path);

}  // namespace trivex
