#pragma once
// Helpers of the link tests: the simulator as a child process, a pseudo-terminal whose
// device side the test plays itself, running trivex-cli, and a user interface fake.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/link_ui.h"

namespace trivex::test {

// trivex-sim started with the given options (and --stdin, so that it also ends when the
// test process dies). path() is its pseudo-terminal.
class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args = {});
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;
  const std::string& path() const { return path_; }
  // A control line ("fault nak:*:2", "clear").
  void Control(const std::string& line);

 private:
  int pid_ = -1;
  int stdin_ = -1;
  std::string path_;
};

// A pseudo-terminal whose device side the test writes and reads.
class ScriptedPty {
 public:
  ScriptedPty();
  ~ScriptedPty();
  const std::string& path() const { return path_; }
  void Write(const std::string& bytes);
  // What arrives within `wait`; returns early once at least `until` bytes have come.
  std::string Read(std::chrono::milliseconds wait, size_t until = SIZE_MAX);
  // Answers the next framed request (STX .. LF and four checksum characters) by writing the
  // chunks with `gap` between them, on a thread of its own; the request's bytes are kept.
  void AnswerNext(std::vector<std::string> chunks, std::chrono::milliseconds gap = std::chrono::milliseconds(0));
  // Waits for the answering thread; the request's bytes as they arrived.
  std::string FinishAnswer();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
  std::thread answer_;
  std::string request_;
};

struct ProcessResult {
  int status = -1;
  std::string out;
  std::string err;
};
// Runs a program with arguments and extra environment values; output captured.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {});

// Records what the link shows and answers the question from a script.
class FakeLinkUi : public LinkUi {
 public:
  struct Message {
    TMessageKind kind;
    std::string caption;
    std::string text;
  };
  std::vector<Message> messages;
  std::vector<std::string> questions;
  std::vector<TDialogAnswer> answers;  // taken in order; Ignore when used up
  int processed = 0;

  void ShowMessage(TMessageKind kind, const std::string& caption, const std::string& text) override {
    messages.push_back({kind, caption, text});
  }
  TDialogAnswer AskAbortRetryIgnore(const std::string&, const std::string& text) override {
    questions.push_back(text);
    if (questions.size() <= answers.size()) return answers[questions.size() - 1];
    return TDialogAnswer::kIgnore;
  }
  bool EditPortSettings(int, const std::string&, TPortConfig&) override { return false; }
  void ProcessMessages() override { ++processed; }
};

// Collects the texts a receiver is told about.
class ReceivedTexts {
 public:
  // The notification for RegisterReceiver.
  void Notify() {
    std::lock_guard<std::mutex> l(m_);
    ++notified_;
    cv_.notify_all();
  }
  int Notified() {
    std::lock_guard<std::mutex> l(m_);
    return notified_;
  }
  // Waits until `count` notifications came (or the wait ends); true when they did.
  bool WaitNotified(int count, std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> l(m_);
    return cv_.wait_for(l, wait, [&] { return notified_ >= count; });
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  int notified_ = 0;
};

// Elapsed milliseconds since `t0`.
inline double MsSince(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Hexadecimal form of bytes, as the simulator's log writes them.
std::string Hex(const std::string& bytes);
// A temporary file name that is removed with the object.
class TempFile {
 public:
  explicit TempFile(const std::string& content = {});
  ~TempFile();
  const std::string& path() const { return path_; }
  std::string Read() const;

 private:
  std::string path_;
};

}  // namespace trivex::test
