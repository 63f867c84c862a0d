#include "io/PackMemFile.h"

#include <algorithm>
#include <cstring>

size_t CPackMemFile::Read(void* buffer, size_t count) {
  size_t available = static_cast<size_t>(data.size() - position);
  size_t n = std::min(count, available);
  if (n > 0) std::memcpy(buffer, data.data() + position, n);
  position += n;
  return n;
}

bool CPackMemFile::Seek(uint64_t target) {
  if (target > data.size()) return false;
  position = target;
  return true;
}
