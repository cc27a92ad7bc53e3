#include "app/crash_handler.h"

#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace trivex {
namespace {
// Everything the handler needs is prepared before a signal arrives: the handler itself
// only uses async-signal-safe calls.
char g_folder[1024];
char g_version[64];

void AppendNumber(char* buf, size_t size, unsigned long long v) {
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v && n < 24);
  size_t len = std::strlen(buf);
  while (n > 0 && len + 1 < size) buf[len++] = digits[--n];
  buf[len] = 0;
}

void Append(char* buf, size_t size, const char* s) {
  size_t len = std::strlen(buf);
  while (*s && len + 1 < size) buf[len++] = *s++;
  buf[len] = 0;
}

void Handler(int sig) {
  char path[1200] = {0};
  Append(path, sizeof path, g_folder);
  Append(path, sizeof path, "/crash-");
  AppendNumber(path, sizeof path, static_cast<unsigned long long>(time(nullptr)));
  Append(path, sizeof path, "-");
  AppendNumber(path, sizeof path, static_cast<unsigned long long>(getpid()));
  Append(path, sizeof path, ".txt");
  int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd >= 0) {
    char head[256] = {0};
    Append(head, sizeof head, "Trivex ");
    Append(head, sizeof head, g_version);
    Append(head, sizeof head, "\nSignal ");
    AppendNumber(head, sizeof head, static_cast<unsigned long long>(sig));
    Append(head, sizeof head, "\n\n");
    ssize_t w = write(fd, head, std::strlen(head));
    (void)w;
    void* frames[64];
    int n = backtrace(frames, 64);
    backtrace_symbols_fd(frames, n, fd);
    close(fd);
  }
  signal(sig, SIG_DFL);
  raise(sig);
}
}  // namespace

void InstallCrashHandler(const std::string& folder, const std::string& version) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::strncpy(g_folder, folder.c_str(), sizeof g_folder - 1);
  std::strncpy(g_version, version.c_str(), sizeof g_version - 1);
  void* warm[1];
  backtrace(warm, 1);  // loads the unwinder now, not inside the handler
  for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) signal(sig, Handler);
}

std::vector<std::string> CrashReports(const std::string& folder) {
  std::vector<std::pair<std::filesystem::file_time_type, std::string>> found;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = e.path().filename().string();
    if (name.rfind("crash-", 0) == 0 && e.path().extension() == ".txt")
      found.emplace_back(e.last_write_time(ec), e.path().string());
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::string> out;
  for (auto& f : found) out.push_back(std::move(f.second));
  return out;
}

}  // namespace trivex
