#pragma once
// The benchmarks' simulator: trivex-sim as a child process whose first output line is its
// pseudo-terminal.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace trivex::bench {

struct Sim {
  pid_t pid = -1;
  std::string path;
};

inline Sim StartSim(const std::string& program, std::vector<std::string> args) {
  int out[2];
  if (pipe(out) != 0) std::exit(1);
  args.insert(args.begin(), program);
  Sim sim;
  sim.pid = fork();
  if (sim.pid == 0) {
    dup2(out[1], 1);
    close(out[0]);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') sim.path += c;
  close(out[0]);
  if (sim.path.empty()) {
    std::fprintf(stderr, "%s did not start\n", program.c_str());
    std::exit(1);
  }
  return sim;
}

inline void StopSim(Sim& sim) {
  kill(sim.pid, SIGTERM);
  int status;
  waitpid(sim.pid, &status, 0);
}

}  // namespace trivex::bench
