#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "gfx/Animation.h"
#include "platform/Geometry.h"

class CGameSystem;
class IPictureHost;

// The pictures of the album's viewer: the one shown and the one it replaces, each a still image or
// an animation, and the pan over a picture larger than the screen. The pan offset is measured from
// the top-left; the picture is drawn shifted by its negation.
class CAlbumViewer {
 public:
  static constexpr int32_t kPanSpeed = 4;

  explicit CAlbumViewer(CGameSystem& game);
  ~CAlbumViewer();

  // The new picture becomes the current one at offset 0; the current one becomes the previous.
  void Show(const std::string& image);
  void Clear();

  // max(overflow x, overflow y), where an overflow is how far the picture exceeds the screen (at
  // least 0); 0 when the picture fits.
  int32_t PanExtent() const;
  // Places the current picture at a pan counter (0 to the extent): from the top-left towards the far
  // end, or back when the pan has been reversed.
  void PanTo(int32_t counter);
  void ReversePan() { reversed = !reversed; }
  SPoint Offset() const { return offset; }

  // Advances the current picture's animation.
  void Update(int32_t ticks);
  bool IsAnimated() const;
  void DrawCurrent(uint32_t alpha) const;
  void DrawPrevious(uint32_t alpha) const;

 private:
  static void DrawPicture(const CAnimation* picture, SPoint at, uint32_t alpha);

  CGameSystem& game;
  std::unique_ptr<IPictureHost> host;
  std::unique_ptr<CAnimation> current;
  std::unique_ptr<CAnimation> previous;
  SPoint offset;
  SPoint previousOffset;
  bool reversed = false;
};
