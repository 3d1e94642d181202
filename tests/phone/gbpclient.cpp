// Drives the virtual phone from a process of its own, so tests can kill it mid-write or
// read what it tells on stderr. Arguments are steps run in order, each printing its result:
//   init PORT | end | size S SS | write S SS LENGTH FILLBYTE | wait
// "wait" holds the process, with whatever it has open, until a line or the end of standard
// input, then prints 0.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "phone/gbpexports.h"

namespace {

uint32_t Number(char** argv, int at) {
  return static_cast<uint32_t>(std::strtoul(argv[at], nullptr, 10));
}

}  // namespace

int main(int argc, char** argv) {
  for (int at = 1; at < argc; ++at) {
    int32_t result = 0;
    if (!std::strcmp(argv[at], "init") && at + 1 < argc) {
      result = InitGBPMode(Number(argv, at + 1));
      at += 1;
    } else if (!std::strcmp(argv[at], "wait")) {
      std::string line;
      std::getline(std::cin, line);
    } else if (!std::strcmp(argv[at], "end")) {
      result = EndGBPMode();
    } else if (!std::strcmp(argv[at], "size") && at + 2 < argc) {
      result = GetNVMFileSize(Number(argv, at + 1), Number(argv, at + 2));
      at += 2;
    } else if (!std::strcmp(argv[at], "write") && at + 4 < argc) {
      const std::vector<char> data(Number(argv, at + 3), static_cast<char>(Number(argv, at + 4)));
      result = WriteNVMFile(Number(argv, at + 1), Number(argv, at + 2), data.data(),
                            static_cast<uint32_t>(data.size()));
      at += 4;
    } else {
      std::fprintf(stderr, "gbpclient: bad step %s\n", argv[at]);
      return 2;
    }
    std::printf("%d\n", static_cast<int>(result));
    std::fflush(stdout);
  }
  return 0;
}
