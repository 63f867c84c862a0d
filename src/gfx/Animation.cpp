#include "gfx/Animation.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "gfx/BmpDecoder.h"
#include "gfx/Display.h"
#include "gfx/ImageDrawer.h"
#include "gfx/PictureHost.h"
#include "io/PackArchive.h"
#include "io/Path.h"
#include "platform/Random.h"

namespace {

int32_t RoundHalfUp(double v) { return static_cast<int32_t>(std::clamp(v + 0.5, -2e9, 2e9)); }

// Positions and sizes come from files and scripts: sums of two of them are taken in 64 bits and
// brought back into the 32-bit range.
int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The blink of an eye shows cells 1, 2, 2, 1 for five ticks each while its timer is below 20.
constexpr int32_t kBlinkCells[4] = {1, 2, 2, 1};

}  // namespace

CAnimation::CAnimation(IPictureHost& host, int32_t layer, int32_t priority)
    : host(host), layer(layer), priority(priority) {}

int32_t CAnimation::NewBlinkTime() const { return 20 + host.Random().Next() * 300 / 32767; }

void CAnimation::Create(const std::string& name, const std::string& colorMap, float loadScale) {
  const CDisplay& display = host.Display();
  fileName = name;
  colorMapName = colorMap;
  isAnimation = GetExtension(name) == "ANM";
  if (isAnimation) {
    for (int32_t& timer : blink) timer = NewBlinkTime();
    file.Load(name, display.Width(), display.Height());
    width = file.Width();
    height = file.Height();
  } else {
    image.Load(name, loadScale);
    width = image.BaseWidth();
    height = image.BaseHeight();
  }
  if (colorMap.empty()) return;
  std::vector<uint8_t> bytes;
  if (!CPackArchive::Instance().LoadFile(colorMap, bytes)) {
    ShowFileError(colorMap);
    return;
  }
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
    DecodeBmp(bytes.data(), bytes.size(), colorMapImage);
}

void CAnimation::SetPlacement(int32_t newX, int32_t newY, float newScale, bool newMirror, bool newTile) {
  x = newX;
  y = newY;
  scale = newScale;
  mirror = newMirror;
  tile = newTile;
}

SRect CAnimation::SpriteRect(const SAnimationSprite* sprite) const {
  const double s = scale;
  const auto offsetX = [this](double v) { return Clamp32(int64_t{x} + RoundHalfUp(v)); };
  const auto offsetY = [this](double v) { return Clamp32(int64_t{y} + RoundHalfUp(v)); };
  if (!sprite) return {x, y, offsetX(s * width), offsetY(s * height)};
  const int32_t sx = sprite->destX, sy = sprite->destY, w = sprite->width, h = sprite->height;
  const double left = mirror ? static_cast<double>(width) - sx - w : sx;
  const double right = mirror ? static_cast<double>(width) - sx : static_cast<double>(sx) + w;
  return {offsetX(s * left), offsetY(s * sy), offsetX(s * right), offsetY(s * (static_cast<double>(sy) + h))};
}

void CAnimation::MarkSprites(const SAnimationFrame* frame, bool normal, bool cells) const {
  if (!frame) return;
  CDisplay& display = host.Display();
  if (tile) {
    display.MarkAllDirty();
    return;
  }
  for (const SAnimationSprite& sprite : frame->sprites) {
    const bool isCell = sprite.type != SAnimationSprite::kNormal;
    if (isCell ? cells : normal) display.MarkDirty(SpriteRect(&sprite));
  }
}

void CAnimation::MarkDirty() const {
  if (tile) {
    host.Display().MarkAllDirty();
  } else if (!isAnimation) {
    host.Display().MarkDirty(SpriteRect(nullptr));
  } else if (file.TotalTime() != 0) {
    MarkSprites(file.FrameAt(currentTime), true, true);
  }
}

void CAnimation::Update(int32_t ticks) {
  if (file.TotalTime() != 0) {
    for (int32_t& timer : blink) {
      timer -= ticks;
      if (timer < 0) timer = NewBlinkTime();
    }
  }
  if (move.duration > 0) StepMovement(ticks);
  const int64_t old = currentTime;
  currentTime += ticks;
  if (file.TotalTime() == 0) return;
  const SAnimationFrame* before = file.FrameAt(old);
  const SAnimationFrame* now = file.FrameAt(currentTime);
  if (before != now) {
    MarkSprites(before, true, false);
    MarkSprites(now, true, false);
  }
  MarkSprites(now, false, true);
}

void CAnimation::SetCurrentTime(int64_t time) {
  MarkDirty();
  currentTime = std::max<int64_t>(time, 0);
}

void CAnimation::StepMovement(int32_t ticks) {
  MarkDirty();
  const int64_t d = move.duration;
  int64_t elapsed = int64_t{move.elapsed} + ticks;
  if (move.loop) elapsed %= d;
  if (elapsed < d) {
    move.elapsed = static_cast<int32_t>(elapsed);
    x = static_cast<int32_t>((elapsed * move.toX + move.fromX * (d - elapsed)) / d);
    y = static_cast<int32_t>((elapsed * move.toY + move.fromY * (d - elapsed)) / d);
  } else {
    x = move.toX;
    y = move.toY;
    move.duration = move.elapsed = 0;
  }
  MarkDirty();
}

void CAnimation::Move(int32_t dx, int32_t dy, int32_t duration, bool loop) {
  MarkDirty();
  if (duration > 0) {
    const bool chained = move.duration > 0 && !move.loop;
    const int32_t baseX = chained ? move.toX : x;
    const int32_t baseY = chained ? move.toY : y;
    move = {x, y, baseX + dx, baseY + dy, 0, duration, loop};
  } else {
    x += dx;
    y += dy;
    move = {};
  }
  MarkDirty();
}

bool CAnimation::GetMove(SPictureMove& out) const {
  if (move.duration <= 0) return false;
  out = move;
  return true;
}

void CAnimation::SetMove(const SPictureMove& saved) {
  move = saved.duration > 0 ? saved : SPictureMove{};
  move.elapsed = std::clamp(move.elapsed, 0, std::max(0, move.duration - 1));
}

void CAnimation::SetColorMode(int mode) {
  image.ApplyColorMode(mode);
  file.ApplyColorMode(mode);
  colorMode = mode;
}

bool CAnimation::HitTestColorMap(int32_t px, int32_t py, uint32_t& colour) const {
  if (colorMapImage.IsEmpty() || !(scale > 0)) return false;
  // Rounded down, so points just left of or above the picture do not count as its first column or row.
  int64_t u = static_cast<int64_t>(std::floor((static_cast<double>(px) - x) / scale));
  const int64_t v = static_cast<int64_t>(std::floor((static_cast<double>(py) - y) / scale));
  // A mirrored picture shows column u of its map at the mirrored place.
  if (mirror) u = int64_t{width} - 1 - u;
  if (u < 0 || v < 0 || u >= colorMapImage.Width() || v >= colorMapImage.Height()) return false;
  const uint32_t p = colorMapImage.Pixel(static_cast<int>(u), static_cast<int>(v));
  colour = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
  return true;
}

int32_t CAnimation::Cell(const SAnimationSprite& sprite, uint32_t colour, int32_t mouth, int32_t key) const {
  if ((colour >> 24) < 255) return 0;
  if (sprite.type == SAnimationSprite::kEye) {
    const int32_t v = sprite.id >= 0 && sprite.id < kBlinkTimers ? blink[sprite.id] : 0;
    return v > 19 || v < 0 ? 0 : kBlinkCells[v / 5];
  }
  if (sprite.type == SAnimationSprite::kMouth) return key == sprite.id ? mouth : 0;
  return 0;
}

void CAnimation::DrawSprite(const SAnimationSprite& sprite, float left, float top, uint32_t colour,
                            int32_t mouth, int32_t key, int32_t which) const {
  const int32_t c = Cell(sprite, colour, mouth, key);
  const float s = scale;
  const double destX = sprite.destX, destWidth = sprite.width;
  const float sx0 = static_cast<float>(mirror ? width - destX : destX);
  const float sx1 = static_cast<float>(mirror ? width - destX - destWidth : destX + destWidth);
  SImageDraw draw;
  draw.surface = sprite.image;
  draw.layer = layer;
  draw.x0 = left + s * sx0;
  draw.x1 = left + s * sx1;
  draw.y0 = top + s * static_cast<float>(sprite.destY);
  draw.y1 = top + s * static_cast<float>(int64_t{sprite.destY} + sprite.height);
  const int64_t srcX = sprite.srcX + int64_t{c} * sprite.stepX;
  const int64_t srcY = sprite.srcY + int64_t{c} * sprite.stepY;
  draw.sx0 = Clamp32(srcX);
  draw.sy0 = Clamp32(srcY);
  draw.sx1 = Clamp32(srcX + sprite.width);
  draw.sy1 = Clamp32(srcY + sprite.height);
  draw.colour = (colour & 0xFFFFFFu) | (((colour >> 24) * static_cast<uint32_t>(sprite.alpha)) >> 8) << 24;
  draw.which = which;
  host.ImageDrawer().DrawImage(draw);
}

void CAnimation::DrawAt(float left, float top, uint32_t colour, int32_t mouth, int32_t key,
                        int32_t which) const {
  if (!isAnimation) {
    SImageDraw draw;
    draw.surface = &image;
    draw.layer = layer;
    draw.x0 = left;
    draw.x1 = left + scale * static_cast<float>(width);
    if (mirror) std::swap(draw.x0, draw.x1);
    draw.y0 = top;
    draw.y1 = top + scale * static_cast<float>(height);
    draw.sx1 = width;
    draw.sy1 = height;
    draw.colour = colour;
    draw.which = which;
    host.ImageDrawer().DrawImage(draw);
    return;
  }
  if (file.TotalTime() == 0) return;
  const SAnimationFrame* frame = file.FrameAt(currentTime);
  for (const SAnimationSprite& sprite : frame->sprites)
    DrawSprite(sprite, left, top, colour, mouth, key, which);
}

void CAnimation::Draw(int32_t ox, int32_t oy, uint32_t colour, int32_t mouth, int32_t key,
                      int32_t which) const {
  if (!(scale > 0) || width <= 0 || height <= 0) return;
  const float left = static_cast<float>(ox) + static_cast<float>(x);
  const float top = static_cast<float>(oy) + static_cast<float>(y);
  if (!tile) {
    DrawAt(left, top, colour, mouth, key, which);
    return;
  }
  const float w = scale * static_cast<float>(width);
  const float h = scale * static_cast<float>(height);
  // Copies smaller than a pixel would take forever to tile and show nothing.
  if (w < 1 || h < 1) return;
  const CDisplay& display = host.Display();
  for (float ty = std::fmod(top, h) - h; ty < static_cast<float>(display.Height()); ty += h)
    for (float tx = std::fmod(left, w) - w; tx < static_cast<float>(display.Width()); tx += w)
      DrawAt(tx, ty, colour, mouth, key, which);
}
