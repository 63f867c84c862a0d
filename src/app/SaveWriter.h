#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/LayerSet.h"
#include "ui/MessagePage.h"

class CGameSystem;
class CRecordFile;

// A thumbnail made for a numbered save: pixels B, G, R, A, rows top-down.
struct SSaveThumbnail {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

// Builds the record body of a save from the running game, chunk by chunk in the order loading
// applies them. Besides the common chunks it writes the engine's own "WAIT" (the exact wait),
// "PEND" (text not yet revealed), "LYPV" (the previous picture of a layer in a transition) and
// "VOIC" (a voice still playing); readers that do not know them skip them.
class CSaveWriter {
 public:
  CSaveWriter(CGameSystem& game, CRecordFile& record) : game(game), record(record) {}

  // The whole body, "END " included; the thumbnail only when given.
  void Write(const SSaveThumbnail* thumbnail);

  // The layout of the 132-byte effect-table record of a layer transition ("MPAN"): number,
  // elapsed ticks, duration, mask gradation, then the mask file name padded with zero bytes.
  static constexpr size_t kTransitionRecord = 132;
  static constexpr size_t kMaskNameBytes = kTransitionRecord - 16;

 private:
  void WriteScriptState();
  void WriteWaits();
  void WritePieces(const char* tag, const CMessagePage::CLine& pieces);
  void WriteLayers();
  void WritePicture(const char* tag, int32_t layer, const SLayerPicture& picture);
  void WriteTransition(int32_t layer);
  void WriteWindow();
  void WriteSounds();
  void WriteMapAnswers();
  void WriteThumbnail(const SSaveThumbnail& thumbnail);
  void WriteInts(const char* tag, std::initializer_list<int32_t> values);
  void WriteText(const char* tag, const std::string& text);

  CGameSystem& game;
  CRecordFile& record;
};
