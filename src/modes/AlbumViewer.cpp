#include "modes/AlbumViewer.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "app/PictureHostAdapter.h"

CAlbumViewer::CAlbumViewer(CGameSystem& g) : game(g), host(std::make_unique<CPictureHostAdapter>(g)) {}

CAlbumViewer::~CAlbumViewer() = default;

void CAlbumViewer::Show(const std::string& image) {
  previous = std::move(current);
  previousOffset = offset;
  current = std::make_unique<CAnimation>(*host, -1, 0);
  current->Create(image, "", 1.0f);
  offset = {0, 0};
  reversed = false;
}

void CAlbumViewer::Clear() {
  current.reset();
  previous.reset();
  offset = previousOffset = {0, 0};
  reversed = false;
}

int32_t CAlbumViewer::PanExtent() const {
  if (!current) return 0;
  const CDisplay& display = game.Display();
  // A side smaller than the screen does not move; only the larger side pans.
  return std::max({current->Width() - display.Width(), current->Height() - display.Height(), 0});
}

void CAlbumViewer::PanTo(int32_t counter) {
  const int32_t extent = PanExtent();
  if (extent <= 0) return;
  const CDisplay& display = game.Display();
  const int64_t overX = std::max(current->Width() - display.Width(), 0);
  const int64_t overY = std::max(current->Height() - display.Height(), 0);
  const int64_t x = int64_t{counter} * overX / extent;
  const int64_t y = int64_t{counter} * overY / extent;
  offset = reversed ? SPoint{static_cast<int32_t>(overX - x), static_cast<int32_t>(overY - y)}
                    : SPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

void CAlbumViewer::Update(int32_t ticks) {
  if (current) current->Update(ticks);
}

bool CAlbumViewer::IsAnimated() const { return current && current->IsAnimation(); }

void CAlbumViewer::DrawPicture(const CAnimation* picture, SPoint at, uint32_t alpha) {
  if (picture) picture->Draw(-at.x, -at.y, (std::min(alpha, 255u) << 24) | 0xFFFFFFu, 0, 0, 1);
}

void CAlbumViewer::DrawCurrent(uint32_t alpha) const { DrawPicture(current.get(), offset, alpha); }

void CAlbumViewer::DrawPrevious(uint32_t alpha) const { DrawPicture(previous.get(), previousOffset, alpha); }
