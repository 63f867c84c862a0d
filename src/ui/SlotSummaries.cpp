#include "ui/SlotSummaries.h"

#include <filesystem>
#include <system_error>

#include "persist/RecordFile.h"

namespace {

int64_t FileTime(const std::string& path) {
  std::error_code error;
  const auto time = std::filesystem::last_write_time(path, error);
  return error ? 0 : static_cast<int64_t>(time.time_since_epoch().count());
}

}  // namespace

void CSlotSummaries::Resize(int count) {
  slots.resize(static_cast<size_t>(std::max(count, 0)));
  if (newestSlot >= Count()) newestSlot = -1;
}

SSlotSummary* CSlotSummaries::Slot(int slot) {
  return slot >= 0 && slot < Count() ? &slots[static_cast<size_t>(slot)] : nullptr;
}

const SSlotSummary* CSlotSummaries::Summary(int slot) const {
  return slot >= 0 && slot < Count() ? &slots[static_cast<size_t>(slot)] : nullptr;
}

void CSlotSummaries::ReadSlotSummary(int slot, const std::string& path) {
  SSlotSummary* summary = Slot(slot);
  if (!summary) return;
  CSurface thumbnail = std::move(summary->thumbnail);
  *summary = SSlotSummary();
  summary->thumbnail = std::move(thumbnail);
  CRecordFile record;
  if (!record.LoadFromFile(path)) {
    summary->thumbnail.Clear();
    if (newestSlot == slot) newestSlot = -1;
    return;
  }
  summary->exists = summary->read = true;
  summary->fileTime = FileTime(path);
  ReadChunks(record, *summary);
  const SSlotSummary* newest = Summary(newestSlot);
  if (!newest || !newest->exists || summary->fileTime > newest->fileTime) newestSlot = slot;
}

void CSlotSummaries::ReadChunks(CRecordFile& record, SSlotSummary& summary) {
  size_t line = 0;
  while (record.NextChunk()) {
    const std::string& tag = record.Tag();
    if (tag == "TEXT") {
      std::string text;
      while (record.Remaining() > 0) {
        text += record.ReadString();
        record.ReadString();  // ruby
        record.ReadInt32();   // size
        record.ReadInt32();   // colour
      }
      if (line < summary.lines.size()) summary.lines[line++] = std::move(text);
    } else if (tag == "CPTR") {
      summary.chapter = record.ReadInt32();
    } else if (tag == "TITL") {
      summary.comment = record.ReadString();
    } else if (tag == "DATE") {
      summary.year = record.ReadInt32();
      summary.month = record.ReadInt32();
      summary.day = record.ReadInt32();
      summary.hour = record.ReadInt32();
      summary.minute = record.ReadInt32();
    } else if (tag == "WIND") {
      record.ReadInt32();
      record.ReadInt32();
      summary.speaker = record.ReadString();
    }
  }
}

bool CSlotSummaries::LoadThumbnail(int slot, const std::string& path) {
  SSlotSummary* summary = Slot(slot);
  if (!summary) return false;
  if (!summary->thumbnail.IsEmpty()) return true;
  CRecordFile record;
  if (!record.LoadFromFile(path)) return false;
  while (record.NextChunk())
    if (record.Tag() == "THUM") return ReadThumbnail(record, summary->thumbnail);
  return false;
}

bool CSlotSummaries::ReadThumbnail(CRecordFile& record, CSurface& thumbnail) {
  const int32_t width = record.ReadInt32();
  const int32_t height = record.ReadInt32();
  if (width <= 0 || height <= 0) return false;
  const uint64_t bytes = uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height) * 4;
  if (bytes > record.Remaining()) return false;
  uint32_t* pixels = thumbnail.Allocate(width, height);
  if (!pixels) return false;
  const std::vector<uint8_t> data = record.ReadBytes(static_cast<size_t>(bytes));
  for (size_t i = 0; i < data.size() / 4; ++i)
    pixels[i] = 0xFF000000u | uint32_t{data[i * 4 + 2]} << 16 | uint32_t{data[i * 4 + 1]} << 8 | data[i * 4];
  return true;
}

void CSlotSummaries::SetThumbnail(int slot, const std::vector<uint32_t>& pixels, int32_t width,
                                  int32_t height) {
  SSlotSummary* summary = Slot(slot);
  if (!summary) return;
  summary->thumbnail.Clear();
  if (pixels.empty() || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return;
  if (uint32_t* target = summary->thumbnail.Allocate(width, height))
    std::copy(pixels.begin(), pixels.end(), target);
}
