#include "gfx/AnimationFile.h"

#include <algorithm>
#include <cctype>

#include "io/PackArchive.h"
#include "io/Path.h"

namespace {

// A decimal integer as the file writes it: an optional sign and the leading digits, 0 without digits;
// values beyond 32 bits saturate.
int32_t ParseNumber(const std::string& text) {
  size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  int64_t value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{INT32_MAX} + 1);
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

bool Is(const std::vector<std::string>& tokens, const char* first, const char* second) {
  return tokens.size() >= 2 && tokens[0] == first && tokens[1] == second;
}

// Reads "KEYWORD a b" into a and b when the line has both values.
bool Pair(const std::vector<std::string>& t, const char* keyword, int32_t& a, int32_t& b) {
  if (t.size() < 3 || t[0] != keyword) return false;
  a = ParseNumber(t[1]);
  b = ParseNumber(t[2]);
  return true;
}

int32_t SpriteType(const std::string& name) {
  if (name == "EYE") return SAnimationSprite::kEye;
  if (name == "MOUTH") return SAnimationSprite::kMouth;
  return SAnimationSprite::kNormal;
}

}  // namespace

void CAnimationFile::Load(const std::string& name, int32_t screenWidth, int32_t screenHeight) {
  width = screenWidth;
  height = screenHeight;
  const std::string previous = SetBaseDirectory(name);
  std::unique_ptr<CReadFile> file = CPackArchive::Instance().OpenFile(name);
  if (file) Parse(*file);
  SetBaseDirectory(previous);
}

void CAnimationFile::Parse(CReadFile& file) {
  std::vector<std::string> t;
  while (ReadTokenLine(file, t)) {
    if (t[0] == "FRAME") {
      ParseFrame(file);
    } else {
      Pair(t, "SIZE", width, height);
    }
  }
}

void CAnimationFile::ParseFrame(CReadFile& file) {
  SAnimationFrame frame;
  std::vector<std::string> t;
  while (ReadTokenLine(file, t) && !Is(t, "FRAME", "END")) {
    if (t[0] == "TIME" && t.size() >= 2) {
      // A negative duration would make the frame lookup run backwards; it counts as none.
      frame.duration = std::max(0, ParseNumber(t[1]));
    } else if (t[0] == "LOOP") {
      loopPoint = totalTime;
    } else if (t[0] == "SPRITE") {
      frame.sprites.emplace_back();
      ParseSprite(file, frame.sprites.back());
    }
  }
  totalTime += frame.duration;
  frames.push_back(std::move(frame));
}

void CAnimationFile::ParseSprite(CReadFile& file, SAnimationSprite& sprite) {
  std::vector<std::string> t;
  while (ReadTokenLine(file, t) && !Is(t, "SPRITE", "END")) {
    if (Pair(t, "DEST", sprite.destX, sprite.destY) || Pair(t, "SRC", sprite.srcX, sprite.srcY) ||
        Pair(t, "SIZE", sprite.width, sprite.height) || Pair(t, "OFFSET", sprite.stepX, sprite.stepY) ||
        t.size() < 2) {
      continue;
    }
    if (t[0] == "FILE") {
      sprite.image = CachedImage(ResolvePath(t[1]));
    } else if (t[0] == "ALPHA") {
      sprite.alpha =
          static_cast<int32_t>(std::clamp<int64_t>(int64_t{ParseNumber(t[1])} * 256 / 100, 0, 256));
    } else if (t[0] == "TYPE") {
      sprite.type = SpriteType(t[1]);
    } else if (t[0] == "ID") {
      sprite.id = ParseNumber(t[1]);
    }
  }
}

const CSurface* CAnimationFile::CachedImage(const std::string& name) {
  std::unique_ptr<CSurface>& slot = images[name];
  if (!slot) {
    slot = std::make_unique<CSurface>();
    slot->Load(name, 1.0f);
  }
  return slot.get();
}

const SAnimationFrame* CAnimationFile::FrameAt(int64_t t) const {
  if (frames.empty()) return nullptr;
  if (loopPoint >= 0 && t > loopPoint && totalTime > 0) t = loopPoint + (t - loopPoint) % totalTime;
  for (const SAnimationFrame& frame : frames) {
    t -= frame.duration;
    if (t < 0) return &frame;
  }
  return &frames.back();
}

void CAnimationFile::ApplyColorMode(int mode) {
  for (auto& [name, image] : images) image->ApplyColorMode(mode);
}
