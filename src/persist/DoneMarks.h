#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CRecordFile;

// Which rows of each schedule file have had their event taken, one bit set per file keyed by the
// file's path text. A set starts with 256 bits and grows to the next power of two above the
// highest row marked, so a long schedule costs only what it uses.
class CDoneMarks {
 public:
  static constexpr size_t kInitialBits = 256;
  // Sets read from a save are refused beyond this size (a row count no table reaches).
  static constexpr size_t kMaxBits = size_t{1} << 24;

  bool IsSet(const std::string& file, int32_t row) const;
  // Marks a row (negative rows are ignored), growing the file's set when needed.
  void Set(const std::string& file, int32_t row);
  // The bits held for a file; 0 when none of its rows was ever marked.
  size_t Capacity(const std::string& file) const;
  void Clear() { marks.clear(); }
  bool operator==(const CDoneMarks& other) const = default;

  // The payload of the save chunk "EVNT": per file its name, then the bit count and the bits.
  void Write(CRecordFile& record) const;
  // Replaces the sets with those of an "EVNT" payload; an entry whose bits do not fit the chunk
  // ends the reading.
  void Read(CRecordFile& record);

 private:
  std::map<std::string, std::vector<bool>> marks;
};
