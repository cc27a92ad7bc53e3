// Device files: "fsr+# NAME", "fread.+ NAME BLOCK", and the net file written piece by piece
// with "ZyrNetFSize=0" and "ZyrNetFile=\"...\"" and read back as the file "NetFile"
// ("ZyrNetFSize+#" gives its size). Station file: "file NAME = PATH" loads a device file.
// Option: --broken-crc PATTERN[:COUNT] spoils the CRC of matching block replies.
#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

#include "config/crc16.h"
#include "config/text_util.h"
#include "protocol/file_block.h"
#include "protocol/net_file_encoder.h"
#include "sim_files.h"

namespace trivex::sim {

void SimFiles::Set(std::string_view name, std::string bytes) {
  files_[AsciiLowerCase(name)] = std::move(bytes);
}

std::string& SimFiles::Open(std::string_view name) { return files_[AsciiLowerCase(name)]; }

const std::string* SimFiles::Find(std::string_view name) const {
  auto it = files_.find(AsciiLowerCase(name));
  return it == files_.end() ? nullptr : &it->second;
}

namespace {

constexpr std::string_view kNetFile = "NetFile";

struct BrokenCrc {
  std::string pattern;
  long remaining = -1;  // -1: always
};
std::vector<BrokenCrc>& BrokenCrcs() {
  static std::vector<BrokenCrc> list;
  return list;
}

bool TakeBrokenCrc(std::string_view element) {
  for (auto& b : BrokenCrcs()) {
    if (b.remaining == 0) continue;
    if (!b.pattern.empty() && b.pattern != "*" && element.find(b.pattern) == std::string_view::npos)
      continue;
    if (b.remaining > 0) --b.remaining;
    return true;
  }
  return false;
}

bool AddBrokenCrc(std::string_view value, std::string& error) {
  BrokenCrc b;
  size_t colon = value.rfind(':');
  b.pattern = std::string(value.substr(0, colon));
  if (colon != std::string_view::npos) {
    std::string_view count = value.substr(colon + 1);
    auto r = std::from_chars(count.data(), count.data() + count.size(), b.remaining);
    if (r.ec != std::errc() || r.ptr != count.data() + count.size() || b.remaining < 0) {
      error = "--broken-crc needs PATTERN[:COUNT]";
      return false;
    }
  }
  BrokenCrcs().push_back(std::move(b));
  return true;
}

// "WORD rest" -> the words after the command.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

bool FileCommands(ElementContext& ctx, std::string_view element, std::string& out) {
  auto words = Words(element);
  if (words.empty()) return false;
  SimFiles& files = FilesOf(ctx.device);
  if (words[0] == "fsr+#" && words.size() == 2) {
    const std::string* file = files.Find(words[1]);
    size_t size = file ? file->size() : 0;
    out += std::to_string((size + kSimFileBlockSize - 1) / kSimFileBlockSize);
    return true;
  }
  if (words[0] == "fread.+" && words.size() == 3) {
    const std::string* file = files.Find(words[1]);
    long block = -1;
    auto r = std::from_chars(words[2].data(), words[2].data() + words[2].size(), block);
    if (r.ec != std::errc() || r.ptr != words[2].data() + words[2].size()) block = -1;
    if (!file) {
      ctx.Refuse("File not found");
      return true;
    }
    size_t start = static_cast<size_t>(block) * kSimFileBlockSize;
    if (block < 0 || start >= file->size()) {
      ctx.Refuse("Block out of range");
      return true;
    }
    std::string data = file->substr(start, kSimFileBlockSize);
    if (TakeBrokenCrc(element)) {
      uint16_t wrong = Crc16(data) ^ 1;
      data += static_cast<char>(wrong >> 8);
      data += static_cast<char>(wrong & 0xFF);
      out += Stuff(data);
    } else {
      out += EncodeFileBlock(data);
    }
    return true;
  }
  return false;
}

bool NetFileVariables(ElementContext& ctx, std::string_view element, std::string& out) {
  if (StartsWithNoCase(element, "ZyrNetFSize=")) {
    std::string_view value = TrimBlanks(element.substr(12));
    if (value != "0") {
      ctx.Refuse("ZyrNetFSize only takes 0");
      return true;
    }
    FilesOf(ctx.device).Set(kNetFile, {});
    return true;
  }
  if (StartsWithNoCase(element, "ZyrNetFile=")) {
    std::string_view value = element.substr(11);
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
      ctx.Refuse("ZyrNetFile needs a quoted text");
      return true;
    }
    value = value.substr(1, value.size() - 2);
    if (value.size() > kNetFilePieceSize) {
      ctx.Refuse("ZyrNetFile piece too long");
      return true;
    }
    FilesOf(ctx.device).Open(kNetFile) += DecodeNetFilePiece(value);
    return true;
  }
  if (EqualsNoCase(element, "ZyrNetFSize+#")) {
    const std::string* file = FilesOf(ctx.device).Find(kNetFile);
    out += std::to_string(file ? file->size() : 0);
    return true;
  }
  return false;
}

// Station file: "file NAME = PATH".
bool FileKey(SimDevice& device, std::string_view key, std::string_view value, std::string& error) {
  auto words = Words(key);
  if (words.size() != 2) {
    error = "\"file NAME = PATH\" expected";
    return false;
  }
  std::ifstream in{std::string(TrimBlanks(value)), std::ios::binary};
  if (!in) {
    error = "cannot read " + std::string(value);
    return false;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  FilesOf(device).Set(words[1], bytes.str());
  return true;
}

}  // namespace
}  // namespace trivex::sim

TRIVEX_SIM_HANDLER("netfile", 300, trivex::sim::NetFileVariables);
TRIVEX_SIM_HANDLER("files", 900, trivex::sim::FileCommands);
TRIVEX_SIM_STATION_KEY("file", trivex::sim::FileKey);
TRIVEX_SIM_OPTION("--broken-crc", "PATTERN[:COUNT]",
                  "spoil the CRC of file block replies (\"fread.+ NAME BLOCK\") that contain\n"
                  "                       PATTERN (empty or * for all), for the first COUNT of them",
                  trivex::sim::AddBrokenCrc);
