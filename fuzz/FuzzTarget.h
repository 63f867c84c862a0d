#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A fuzz target: one function that takes any bytes and must neither crash, hang nor allocate without
// bound. Every target registers itself by name, so the fuzzing build links one target per binary and
// the replay test links them all.
using FuzzFunction = int (*)(const uint8_t* data, size_t size);

struct SFuzzTarget {
  std::string name;
  FuzzFunction run = nullptr;
};

bool RegisterFuzzTarget(const char* name, FuzzFunction run);
const std::vector<SFuzzTarget>& FuzzTargets();

// Defines and registers the target name; the body follows as the function's body.
#define ZEL_FUZZ_TARGET(name)                                                                    \
  static int Fuzz_##name(const uint8_t* data, size_t size);                                      \
  [[maybe_unused]] static const bool registered_##name = RegisterFuzzTarget(#name, Fuzz_##name); \
  static int Fuzz_##name(const uint8_t* data, size_t size)
