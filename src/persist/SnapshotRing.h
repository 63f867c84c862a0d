#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// The previous-choice snapshots: up to eight plain record bodies kept in memory, newest first. A
// ninth snapshot drops the oldest; loading a save file empties the ring.
class CSnapshotRing {
 public:
  static constexpr size_t kCapacity = 8;

  void Push(std::vector<uint8_t> body);
  bool IsEmpty() const { return bodies.empty(); }
  size_t Size() const { return bodies.size(); }
  // The body at an age, 0 the newest; empty beyond the ring.
  std::vector<uint8_t> At(size_t age) const;
  void DropNewest();
  void Clear() { bodies.clear(); }

 private:
  std::deque<std::vector<uint8_t>> bodies;
};
