// trivex-sim: plays a station of devices on a pseudo-terminal.
#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << "Usage: trivex-sim [OPTIONS]\n";
      return 0;
    }
  }
  std::cerr << "trivex-sim: not yet able to serve\n";
  return 1;
}
