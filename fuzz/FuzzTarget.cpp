#include "FuzzTarget.h"

namespace {

std::vector<SFuzzTarget>& Registry() {
  static std::vector<SFuzzTarget> targets;
  return targets;
}

}  // namespace

bool RegisterFuzzTarget(const char* name, FuzzFunction run) {
  Registry().push_back({name, run});
  return true;
}

const std::vector<SFuzzTarget>& FuzzTargets() { return Registry(); }
