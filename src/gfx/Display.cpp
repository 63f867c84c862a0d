#include "gfx/Display.h"

#include <algorithm>

#include "platform/Window.h"

bool CDisplay::Init(IWindow* targetWindow, int w, int h, bool isWindowed) {
  if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) {
    Shutdown();
    return false;
  }
  window = targetWindow;
  windowed = isWindowed;
  width = w;
  height = h;
  pixels.assign(static_cast<size_t>(w) * h, 0);
  spans.assign(h, SSpan{0, 0});
  MarkAllDirty();
  if (!CreateDevice()) {
    Shutdown();
    return false;
  }
  return true;
}

bool CDisplay::CreateDevice() {
  if (!window) return true;
  if (!window->SetFullscreen(!windowed)) return false;
  MarkAllDirty();
  return true;
}

void CDisplay::Shutdown() {
  pixels.clear();
  spans.clear();
  window = nullptr;
  width = height = 0;
}

void CDisplay::ToggleScreenMode() {
  windowed = !windowed;
  if (CreateDevice()) return;
  windowed = !windowed;
  CreateDevice();
}

void CDisplay::MarkDirty(const SRect& rect) {
  const int32_t left = std::max(rect.left, 0), right = std::min(rect.right, width);
  const int32_t top = std::max(rect.top, 0), bottom = std::min(rect.bottom, height);
  if (left >= right) return;
  for (int32_t y = top; y < bottom; ++y) {
    spans[y].left = std::min(spans[y].left, left);
    spans[y].right = std::max(spans[y].right, right);
  }
}

void CDisplay::ClipToDirty(int row, int32_t& left, int32_t& right) const {
  left = std::max(left, spans[row].left);
  right = std::min(right, spans[row].right);
}

void CDisplay::FillDirty(uint32_t color) {
  for (int y = 0; y < height; ++y) {
    const SSpan& s = spans[y];
    if (s.left < s.right)
      std::fill(pixels.begin() + y * width + s.left, pixels.begin() + y * width + s.right, color);
  }
}

std::vector<SRect> CDisplay::DirtyRuns() const {
  std::vector<SRect> runs;
  int y = 0;
  while (y < height) {
    const SSpan& s = spans[y];
    if (s.left >= s.right) {
      ++y;
      continue;
    }
    int end = y + 1;
    while (end < height && spans[end].left == s.left && spans[end].right == s.right) ++end;
    runs.push_back({s.left, y, s.right, end});
    y = end;
  }
  return runs;
}

void CDisplay::ClearSpans() { std::fill(spans.begin(), spans.end(), SSpan{width, 0}); }

void CDisplay::SetSpans(const std::vector<SSpan>& saved) {
  if (saved.size() == spans.size()) spans = saved;
}

void CDisplay::Present() {
  if (!window) {
    ClearSpans();
    return;
  }
  switch (window->GetPresentState()) {
    case EPresentState::kBusy:
      return;  // keep the spans: the first frame that can be shown copies everything that changed
    case EPresentState::kLost:
      CreateDevice();
      return;
    case EPresentState::kReady:
      break;
  }
  std::vector<SRect> runs = DirtyRuns();
  if (!runs.empty()) window->Present(pixels.data(), width, height, runs);
  ClearSpans();
}
