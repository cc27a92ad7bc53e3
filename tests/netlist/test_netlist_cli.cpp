// trivex-cli netlist check / generate on configuration files.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "net_list_fixture.h"

using namespace trivex;
using namespace nltest;

namespace {

struct CliRun {
  int status;
  std::string out;
};

CliRun Cli(const std::string& args) {
  const std::string cmd = std::string(TRIVEX_CLI_PATH) + " --lang en " + args + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[512];
  while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  const int st = pclose(p);
  return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, out};
}

// A ZYR-D configuration file with master A: and the given net list.
std::string WriteConfig(const std::string& name, const std::vector<std::string>& lines) {
  const std::string path = (std::filesystem::temp_directory_path() / ("trivex-netlist-" + std::to_string(::getpid()) + "-" + name)).string();
  std::ofstream f(path, std::ios::binary);
  f << "[General]\r\nSystemType=stZYRD\r\n\r\n[Switches]\r\nLines=" << lines.size() << "\r\n";
  for (size_t i = 0; i < lines.size(); ++i)
    if (!lines[i].empty()) f << "L" << (i < 9 ? "00" : "0") << i + 1 << "=\"" << lines[i] << "\"\r\n";
  f << "\r\n[Devices]\r\nCount=1\r\nMasterId=A:\r\n\r\n[Device00]\r\nId=A:\r\n";
  return path;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

}  // namespace

TEST(NetlistCli, CheckShowsTheModelAndGenerateWritesItsText) {
  const std::vector<std::string> lines = {
      Row({{1, "U0"}, {9, "A:"}, {12, "Uen1"}, {13, "20000/100"}}),
      Row({{1, "X"}, {4, "J1"}, {7, "on"}, {9, "A:"}, {10, "I1"}, {11, "200/5"}}),
      Row({{1, "X"}, {4, "J2"}, {7, "A:"}, {8, "~E4"}, {9, "A:"}, {10, "I2"}, {11, "200/5"}}),
  };
  const std::string path = WriteConfig("good.ini", lines);
  const CliRun check = Cli("netlist check " + path);
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.out,
            "segment\t11\tUB\tA:Une1\n"
            "segment\t25\tI\tA:Io1\n"
            "segment\t35\tI\tA:Io2\n"
            "switch\t11\t11-25\tclosed\n"
            "switch\t21\t11-35\tA:BI04\n"
            "group\t1\tA:Une1\tA:Io1\n");

  const CliRun gen = Cli("netlist generate " + path);
  EXPECT_EQ(gen.status, 0);
  EXPECT_EQ(TNetListConverter::Compile(stZYRD, 1, SplitLines(gen.out)), TNetListConverter::Compile(stZYRD, 1, lines));

  const std::string bad = WriteConfig("bad.ini", {lines[0], Row({{1, "X"}, {4, "J1"}, {7, "on"}, {9, "A:"}, {10, "I1"}, {11, "200"}})});
  const CliRun failed = Cli("netlist check " + bad);
  EXPECT_EQ(failed.status, 65);
  EXPECT_NE(failed.out.find("Incorrect Kni-declaration in line 2"), std::string::npos) << failed.out;
  EXPECT_EQ(Cli("netlist generate " + bad).status, 65);
  EXPECT_EQ(Cli("netlist check").status, 64);
  EXPECT_EQ(Cli("netlist check /nonexistent/x.ini").status, 65);
  std::filesystem::remove(path);
  std::filesystem::remove(bad);
}
