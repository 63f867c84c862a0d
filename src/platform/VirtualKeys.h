#pragma once
#include <cstdint>

// Keys reach the engine as Windows virtual-key codes so input logic reads as the game expects.
namespace vk {
constexpr uint32_t kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kShift = 0x10, kControl = 0x11, kMenu = 0x12;
constexpr uint32_t kEscape = 0x1B, kSpace = 0x20, kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24;
constexpr uint32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kSnapshot = 0x2C, kInsert = 0x2D,
                   kDelete = 0x2E;
constexpr uint32_t k0 = 0x30, kA = 0x41, kF1 = 0x70, kF24 = 0x87;
// Key flags as the key-down handler receives them (the high word of the message's lParam):
// bit 14 is the previous key state, set when the key was already down (auto-repeat).
constexpr uint32_t kFlagRepeat = 1u << 14;
}  // namespace vk
