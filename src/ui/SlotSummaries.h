#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/Surface.h"

class CRecordFile;

// What the save and load screens show of one slot, read from its file.
struct SSlotSummary {
  static constexpr int kLines = 32;
  bool exists = false;
  bool read = false;
  int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  int32_t chapter = 0;
  int64_t fileTime = 0;
  std::string comment;
  std::string speaker;
  std::array<std::string, kLines> lines;
  CSurface thumbnail;  // empty when the slot has none
};

// The summaries of the numbered save slots, and which slot file is the newest of those read.
class CSlotSummaries {
 public:
  void Resize(int count);
  int Count() const { return static_cast<int>(slots.size()); }
  // Null for a slot outside the array.
  const SSlotSummary* Summary(int slot) const;
  int NewestSlot() const { return newestSlot; }

  // Rereads a slot from its file (host path); a file that fails the container test leaves the slot
  // empty. The thumbnail is kept: it is read separately.
  void ReadSlotSummary(int slot, const std::string& path);
  // Reads the slot's thumbnail from its file unless it already has one; false when it has none.
  bool LoadThumbnail(int slot, const std::string& path);
  // The thumbnail a save just made (pixels B, G, R, A; rows top-down); an empty picture removes it.
  void SetThumbnail(int slot, const std::vector<uint32_t>& pixels, int32_t width, int32_t height);

  // The summary fields of a record body's chunks, up to "END ".
  static void ReadChunks(CRecordFile& record, SSlotSummary& summary);
  // The picture of the current "THUM" chunk; false when its size does not match its pixels.
  static bool ReadThumbnail(CRecordFile& record, CSurface& thumbnail);

 private:
  SSlotSummary* Slot(int slot);

  std::vector<SSlotSummary> slots;
  int newestSlot = -1;
};
