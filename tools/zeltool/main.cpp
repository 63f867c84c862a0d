#include <cstdio>
#include <cstring>

#include "ToolCommand.h"

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
    // Asked for, the help goes to standard output; as the answer to a bad command line, to errors.
    CToolCommand::PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 1 : 0;
  }
  const CToolCommand* command = CToolCommand::Find(argv[1]);
  if (!command) {
    std::fprintf(stderr, "zeltool: unknown command %s\n", argv[1]);
    CToolCommand::PrintUsage(stderr);
    return 1;
  }
  return command->function(std::vector<std::string>(argv + 2, argv + argc));
}
