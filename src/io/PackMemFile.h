#pragma once
#include <cstdint>
#include <vector>

#include "io/ReadFile.h"

// A decoded archive entry handed out as a readable file; it owns the decoded bytes.
class CPackMemFile : public CReadFile {
 public:
  explicit CPackMemFile(std::vector<uint8_t> content) : data(std::move(content)) {}
  size_t Read(void* buffer, size_t count) override;
  bool Seek(uint64_t target) override;
  uint64_t GetPosition() const override { return position; }
  uint64_t GetLength() const override { return data.size(); }

 private:
  std::vector<uint8_t> data;
  uint64_t position = 0;
};
