#pragma once
#include <cstddef>
#include <cstdint>

// One fuzz input: parsed as a script, run for a few frames against the fake engine, and evaluated
// as an expression. Returns 0 (libFuzzer's convention).
int ScriptFuzzOne(const uint8_t* data, size_t size);
