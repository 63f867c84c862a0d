#include "SaveFuzzTarget.h"

#include <vector>

#include "app/GameSaves.h"
#include "app/GameSystem.h"
#include "persist/RecordFile.h"
#include "platform/headless/HeadlessPlatform.h"
#include "ui/SlotSummaries.h"

namespace {

// The engine the inputs are loaded into: a display of the default size, no sound device.
CGameSystem& FuzzEngine() {
  static CHeadlessPlatform platform{CInputScript(), true};
  static CGameSystem game{platform};
  if (game.Display().Width() == 0) game.Display().Init(nullptr, 800, 600, true);
  return game;
}

}  // namespace

int FuzzLoadSave(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  CGameSystem& game = FuzzEngine();
  CRecordFile file;
  if (file.Decode(bytes)) game.Saves().ApplyRecord(file);
  CRecordFile body(bytes);
  game.Saves().ApplyRecord(body);
  CRecordFile summaryBody(bytes);
  SSlotSummary summary;
  CSlotSummaries::ReadChunks(summaryBody, summary);
  CRecordFile thumbnailBody(bytes);
  while (thumbnailBody.NextChunk())
    if (thumbnailBody.Tag() == "THUM") CSlotSummaries::ReadThumbnail(thumbnailBody, summary.thumbnail);
  game.ResetGame();
  return 0;
}

#ifdef ZEL_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return FuzzLoadSave(data, size); }
#endif
