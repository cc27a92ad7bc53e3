// trivex-cli devices against trivex-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "protocol/commands.h"
#include "protocol/file_block.h"
#include "protocol/net_file_encoder.h"

namespace {

// Starts trivex-sim with the given options and reads the pseudo-terminal's path.
class Simulator {
 public:
  explicit Simulator(const std::string& options) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(fds[1], 1);
      close(fds[0]);
      close(fds[1]);
      std::string cmd = std::string("exec ") + TRIVEX_SIM_PATH + " " + options;
      execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') path_ += c;
    out_ = fds[0];
  }
  ~Simulator() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }
  const std::string& path() const { return path_; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string path_;
};

// Runs trivex-cli and returns its standard output; `status` gets the exit status.
std::string RunCli(const std::string& args, int& status) {
  std::string cmd = std::string(TRIVEX_CLI_PATH) + " " + args + " 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[256];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  int raw = pclose(p);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

TEST(DevicesCommand, ListsTheDefaultStation) {
  Simulator sim("");
  ASSERT_FALSE(sim.path().empty());
  int status = -1;
  std::string out = RunCli("--port " + sim.path() + " devices", status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out,
            "A:\tZYR-D\t1.2.20\tZYR-D Master\n"
            "A1:\tZYR-D\t1.2.20\tZYR-D Slave\n"
            "B:\tZYR-DM\t0.2.13\tZYR-DM Feeder\n");
}

TEST(DevicesCommand, SilentDeviceKeepsItsLine) {
  Simulator sim("--crlf --fault noreply:A1:");
  int status = -1;
  std::string out = RunCli("--port " + sim.path() + " --timeout 200 devices", status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out,
            "A:\tZYR-D\t1.2.20\tZYR-D Master\n"
            "A1:\t\t\t\n"
            "B:\tZYR-DM\t0.2.13\tZYR-DM Feeder\n");
}

TEST(DevicesCommand, NoDirectoryIsALinkFailure) {
  Simulator sim("--fault noreply:dir");
  int status = -1;
  EXPECT_EQ(RunCli("--port " + sim.path() + " --timeout 200 devices", status), "");
  EXPECT_EQ(status, 12);  // 10 + 2: timeout
}

// Quotes an argument for the shell.
std::string Quoted(const std::string& arg) {
  std::string out = "'";
  for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The net file written piece by piece comes back as a block that the program decodes
// byte for byte; a block with a spoiled CRC is refused with -6.
TEST(SimulatorFiles, NetFileRoundTrip) {
  const std::vector<std::string> lines = {"1\tSS1\tA:\tI1\tNord \"1\"", "C:\\x41 -5 .7 Süd"};
  for (const char* options : {"", "--broken-crc NetFile"}) {
    Simulator sim(options);
    std::string args = "--port " + sim.path() + " request";
    for (const auto& element : trivex::NetFileElements(lines)) args += " " + Quoted(element);
    args += " " + Quoted(trivex::cmd::FileSize("", "NetFile"));
    args += " " + Quoted(trivex::cmd::FileRead("", "NetFile", 0));
    int status = -1;
    std::string out = RunCli(args, status);
    ASSERT_EQ(status, 0) << options;
    // The replies, one per line: the writes are empty, then the block count and the block.
    size_t writes = trivex::NetFileElements(lines).size();
    ASSERT_EQ(out.substr(0, writes + 2), std::string(writes, '\n') + "1\n");
    std::string block = out.substr(writes + 2, out.size() - writes - 3);
    int result = 0;
    bool ok = trivex::CheckFileBlockReply(block, result);
    if (*options == '\0') {
      EXPECT_TRUE(ok);
      EXPECT_EQ(block, "1\tSS1\tA:\tI1\tNord \"1\"\r\nC:\\x41 -5 .7 S\xFC" "d\r\n");
    } else {
      EXPECT_FALSE(ok);
      EXPECT_EQ(result, -6);
    }
  }
}

}  // namespace
