#pragma once
#include <cstddef>
#include <cstdint>

// One fuzz input for save loading, on an engine of its own: the bytes as a save file (container
// test, then the load) and as a plain record body (the previous-choice ring, which has no checksum,
// so every chunk reader is reached), and the slot-summary and thumbnail readers over the body.
// Returns 0 (libFuzzer's convention).
int FuzzLoadSave(const uint8_t* data, size_t size);
