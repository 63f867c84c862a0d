#include "SampleGenerator.h"

namespace {
std::vector<const CSampleGenerator*>& Table() {
  static std::vector<const CSampleGenerator*> table;
  return table;
}
}  // namespace

CSampleGenerator::CSampleGenerator(const char* n, SampleGeneratorFunction f) : name(n), function(f) {
  Table().push_back(this);
}

const std::vector<const CSampleGenerator*>& CSampleGenerator::All() { return Table(); }
