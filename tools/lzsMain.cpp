// lzs pack SRC DST | lzs unpack SRC DST | lzs info SRC
// Exit 0 done, 1 data or file error (the product's message on stderr), 2 usage error or a
// destination that is the source.
#include <cstdio>
#include <string>

#include "gen0/GenError.h"
#include "tools/lzsCommands.h"
#include "tools/lzsHost.h"

namespace {
const char Usage[] = "usage: lzs pack SRC DST | lzs unpack SRC DST | lzs info SRC\n";
}

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  // Writing the destination would destroy the source before it is read through.
  if ((command == "pack" || command == "unpack") && argc == 4 && HostSameFile(argv[2], argv[3])) {
    std::fprintf(stderr, "lzs: the destination is the source file: %s\n",
                 HostMessage(WideToAnsi(HostPathText(argv[3]))).c_str());
    return 2;
  }
  try {
    if (command == "pack" && argc == 4) {
      LzsPackCommand(argv[2], argv[3]);
    } else if (command == "unpack" && argc == 4) {
      LzsUnpackCommand(argv[2], argv[3]);
    } else if (command == "info" && argc == 3) {
      std::fputs(LzsInfoText(argv[2]).c_str(), stdout);
    } else {
      std::fputs(Usage, stderr);
      return 2;
    }
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", HostMessage(e.Message).c_str());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fputs("out of memory\n", stderr);
    return 1;
  }
  return 0;
}
