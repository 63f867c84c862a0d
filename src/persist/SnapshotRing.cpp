#include "persist/SnapshotRing.h"

void CSnapshotRing::Push(std::vector<uint8_t> body) {
  if (bodies.size() >= kCapacity) bodies.pop_back();
  bodies.push_front(std::move(body));
}

std::vector<uint8_t> CSnapshotRing::At(size_t age) const {
  return age < bodies.size() ? bodies[age] : std::vector<uint8_t>();
}

void CSnapshotRing::DropNewest() {
  if (!bodies.empty()) bodies.pop_front();
}
