#include "persist/DoneMarks.h"

#include <algorithm>

#include "persist/RecordFile.h"

bool CDoneMarks::IsSet(const std::string& file, int32_t row) const {
  auto found = marks.find(file);
  if (found == marks.end() || row < 0) return false;
  const std::vector<bool>& bits = found->second;
  return static_cast<size_t>(row) < bits.size() && bits[static_cast<size_t>(row)];
}

void CDoneMarks::Set(const std::string& file, int32_t row) {
  if (row < 0) return;
  std::vector<bool>& bits = marks[file];
  const size_t index = static_cast<size_t>(row);
  if (index >= bits.size()) {
    size_t size = std::max(kInitialBits, bits.size());
    while (size <= index) size *= 2;
    bits.resize(size, false);
  }
  bits[index] = true;
}

size_t CDoneMarks::Capacity(const std::string& file) const {
  auto found = marks.find(file);
  return found == marks.end() ? 0 : found->second.size();
}

void CDoneMarks::Write(CRecordFile& record) const {
  for (const auto& [file, bits] : marks) {
    record.WriteString(file);
    record.WriteBits(bits);
  }
}

void CDoneMarks::Read(CRecordFile& record) {
  marks.clear();
  while (record.Remaining() >= 5) {
    std::string file = record.ReadString();
    if (record.Remaining() < 4) break;
    std::vector<bool> bits = record.ReadBits();
    if (bits.empty() || bits.size() > kMaxBits) break;
    marks[file] = std::move(bits);
  }
}
