// The libFuzzer-style entry of a fuzzing binary, which links exactly one target.
#include <cstdio>
#include <cstdlib>

#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const FuzzFunction run = [] {
    if (FuzzTargets().size() != 1) {
      std::fprintf(stderr, "a fuzzing binary must link exactly one target\n");
      std::abort();
    }
    return FuzzTargets().front().run;
  }();
  return run(data, size);
}
