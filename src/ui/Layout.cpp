#include "ui/Layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "gfx/Display.h"
#include "io/PackArchive.h"
#include "io/Path.h"
#include "persist/CsvTable.h"

namespace {

// Source offsets beyond this lie far outside any image: nothing of it can reach the control.
constexpr int64_t kFar = int64_t{1} << 40;

int32_t Number(const std::string& token) { return CCsvTable::ParseInt(token); }

// The colour of a layout drawing: white with alpha = opacity x the control's alpha, truncated.
uint32_t TintColour(float opacity, int32_t alpha) {
  const float value = opacity * static_cast<float>(alpha);
  const uint32_t a = value <= 0.0f ? 0u : value >= 255.0f ? 255u : static_cast<uint32_t>(value);
  return a << 24 | 0x00FFFFFFu;
}

}  // namespace

bool CLayout::Load(CDisplay& target, const std::string& path) {
  display = &target;
  images.clear();
  controls.clear();
  background = nullptr;
  std::unique_ptr<CReadFile> file = CPackArchive::Instance().OpenFile(path);
  if (!file) {
    ShowFileError(path);
    return false;
  }
  const std::string previous = SetBaseDirectory(path);
  Parse(*file);
  SetBaseDirectory(previous);
  return true;
}

void CLayout::Parse(CReadFile& file) {
  std::vector<std::string> tokens;
  while (ReadTokenLine(file, tokens)) {
    if (tokens[0] == "BG" && tokens.size() >= 2) {
      background = LoadImage(tokens[1]);
    } else if (tokens[0] == "CONTROL") {
      controls.push_back(std::make_unique<CLayoutControl>());
      ReadControl(file, *controls.back());
    }
  }
}

void CLayout::ReadControl(CReadFile& file, CLayoutControl& control) {
  std::vector<std::string> tokens;
  while (ReadTokenLine(file, tokens)) {
    const std::string& key = tokens[0];
    const size_t count = tokens.size();
    if (key == "CONTROL" && count >= 2 && tokens[1] == "END") return;
    if (key == "NAME" && count >= 2) {
      control.name = tokens[1];
    } else if (key == "POS" && count >= 5) {
      control.rect = {Number(tokens[1]), Number(tokens[2]), Number(tokens[3]), Number(tokens[4])};
    } else if (key == "IMAGE" && count >= 2) {
      control.image = LoadImage(tokens[1]);
    } else if (key == "SRC" && count >= 3) {
      control.sourceX = Number(tokens[1]);
      control.sourceY = Number(tokens[2]);
    } else if (key == "ALPHA" && count >= 2) {
      control.alpha = static_cast<int32_t>(
          std::clamp<int64_t>(int64_t{Number(tokens[1])} * 255 / 100, INT32_MIN, INT32_MAX));
    }
  }
}

const CSurface* CLayout::LoadImage(const std::string& name) {
  if (name.empty()) return nullptr;
  auto found = images.find(name);
  if (found == images.end()) {
    // A name that fails to load is kept as an empty image so it is tried only once.
    auto surface = std::make_unique<CSurface>();
    surface->Load(ResolvePath(name));
    found = images.emplace(name, std::move(surface)).first;
  }
  return found->second.get();
}

int CLayout::FindControl(std::string_view name) const {
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i]->name == name) return static_cast<int>(i);
  }
  return -1;
}

SRect CLayout::GetControlRect(std::string_view name) const {
  const int index = FindControl(name);
  return index < 0 ? SRect{} : controls[index]->rect;
}

void CLayout::GetImageSize(std::string_view name, int& width, int& height) const {
  const int index = FindControl(name);
  const CSurface* image = index < 0 ? nullptr : controls[index]->image;
  width = image ? image->Width() : 0;
  height = image ? image->Height() : 0;
}

void CLayout::Draw(std::string_view name, float opacity, int cell, float slider) const {
  DrawMatching(&name, opacity, cell, slider);
}

void CLayout::DrawAll(float opacity) const { DrawMatching(nullptr, opacity, 0, 0.0f); }

void CLayout::DrawMatching(const std::string_view* name, float opacity, int cell, float slider) const {
  if (!display) return;
  if ((!name || name->empty()) && background) {
    background->Blit(SDrawTarget::Screen(*display), 0, 0, background->Width(), background->Height(), 0, 0,
                     TintColour(opacity, 255));
  }
  for (const auto& control : controls) {
    if (!name || control->name == *name) DrawControl(*control, opacity, cell, slider);
  }
}

void CLayout::DrawControl(const CLayoutControl& control, float opacity, int cell, float slider) const {
  const CSurface* image = control.image;
  if (!image || image->IsEmpty()) return;
  const SRect& r = control.rect;
  // 64-bit arithmetic: rectangles and cells come from data files and may be anything.
  const int64_t w = int64_t{r.right} - r.left;
  const int64_t h = int64_t{r.bottom} - r.top;
  int64_t sx = control.sourceX;
  int64_t sy = control.sourceY;
  if (w <= 0 || h <= 0) return;
  if (cell != 0) {
    const int64_t columns = std::max<int64_t>(image->Width() / w, 1);
    sx += (cell % columns) * w;
    sy += (cell / columns) * h;
  }
  if (slider != 0.0f) {
    // Single precision, as the position is given.
    const float slid = static_cast<float>(sx) - slider * static_cast<float>(w - image->Width());
    if (!(std::fabs(slid) < kFar)) return;
    sx = static_cast<int64_t>(slid);
  }
  if (sx > kFar || sx < -kFar || sy > kFar || sy < -kFar) return;
  // The image placed so that its pixel (sx, sy) falls on the control's top-left corner, cut to the control.
  const int64_t left = std::max<int64_t>(r.left, r.left - sx);
  const int64_t top = std::max<int64_t>(r.top, r.top - sy);
  const int64_t right = std::min<int64_t>(r.right, r.left - sx + image->Width());
  const int64_t bottom = std::min<int64_t>(r.bottom, r.top - sy + image->Height());
  if (left >= right || top >= bottom) return;
  image->Blit(SDrawTarget::Screen(*display), static_cast<int>(left), static_cast<int>(top),
              static_cast<int>(right - left), static_cast<int>(bottom - top),
              static_cast<int>(sx + left - r.left), static_cast<int>(sy + top - r.top),
              TintColour(opacity, control.alpha));
}

int CLayout::Invalidate() const {
  if (display) {
    if (background) display->MarkAllDirty();
    for (const auto& control : controls) display->MarkDirty(control->rect);
  }
  return ControlCount();
}

int CLayout::NextControl(const std::vector<std::string>& names, int current, int step) const {
  struct SEntry {
    int64_t key;
    int position;
  };
  std::vector<SEntry> entries;
  for (size_t i = 0; i < names.size(); ++i) {
    const SRect r = GetControlRect(names[i]);
    if (!r.IsEmpty()) entries.push_back({int64_t{r.top} * 65536 + (r.left & 0xFFFF), static_cast<int>(i)});
  }
  std::sort(entries.begin(), entries.end(), [](const SEntry& a, const SEntry& b) { return a.key < b.key; });
  if (current == -1) return entries.empty() ? -1 : entries.front().position;
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [current](const SEntry& e) { return e.position == current; });
  if (it == entries.end()) return current;
  const int64_t n = static_cast<int64_t>(entries.size());
  const int64_t j = it - entries.begin();
  return entries[static_cast<size_t>(((j + step) % n + n) % n)].position;
}
