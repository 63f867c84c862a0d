#include "ui/ReadFlags.h"

void CReadFlags::MarkRead(const std::string& script, int32_t message) {
  if (message < 0 || message >= kMaxMessages) return;
  std::vector<uint8_t>& bits = arrays[script];
  size_t capacity = bits.empty() ? 32 : bits.size() * 8;
  while (capacity <= static_cast<size_t>(message)) capacity *= 2;
  bits.resize(capacity / 8, 0);
  bits[message / 8] |= static_cast<uint8_t>(1u << (message % 8));
}

bool CReadFlags::IsRead(const std::string& script, int32_t message) const {
  const auto found = arrays.find(script);
  if (found == arrays.end() || message < 0) return false;
  const std::vector<uint8_t>& bits = found->second;
  if (static_cast<size_t>(message) >= bits.size() * 8) return false;
  return (bits[message / 8] >> (message % 8)) & 1u;
}

int32_t CReadFlags::Capacity(const std::string& script) const {
  const auto found = arrays.find(script);
  return found == arrays.end() ? 0 : static_cast<int32_t>(found->second.size() * 8);
}

void CReadFlags::SetArray(const std::string& script, std::vector<uint8_t> bytes) {
  if (bytes.size() > static_cast<size_t>(kMaxMessages / 8)) bytes.resize(kMaxMessages / 8);
  bytes.resize((bytes.size() + 3) / 4 * 4, 0);
  if (bytes.empty()) bytes.resize(4, 0);
  arrays[script] = std::move(bytes);
}
