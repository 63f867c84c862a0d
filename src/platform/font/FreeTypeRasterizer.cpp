#include "platform/font/FreeTypeRasterizer.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>

#include "io/ShiftJis.h"
#include "platform/font/FreeTypeFace.h"

std::unique_ptr<IFontRasterizer> CreateFontRasterizer() { return CFreeTypeRasterizer::Create(); }

std::unique_ptr<CFreeTypeRasterizer> CFreeTypeRasterizer::Create() {
  FT_Library raw = nullptr;
  if (FT_Init_FreeType(&raw) != 0) return nullptr;
  std::shared_ptr<FT_LibraryRec_> library(raw, [](FT_Library l) { FT_Done_FreeType(l); });
  if (liveCount == 0 && !FcInit()) return nullptr;
  ++liveCount;
  return std::unique_ptr<CFreeTypeRasterizer>(new CFreeTypeRasterizer(std::move(library)));
}

CFreeTypeRasterizer::~CFreeTypeRasterizer() {
  if (--liveCount == 0) FcFini();
}

bool CFreeTypeRasterizer::MatchFile(const std::string& family, std::string& file, int& index) {
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  if (!family.empty())
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* path = nullptr;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
  if (found) file = reinterpret_cast<const char*>(path);
  index = 0;
  FcPatternGetInteger(match, FC_INDEX, 0, &index);
  FcPatternDestroy(match);
  return found;
}

std::unique_ptr<IFontRasterizer::IFace> CFreeTypeRasterizer::OpenFace(const std::string& faceName,
                                                                      int height) {
  if (height < 1) return nullptr;
  std::string file;
  int index = 0;
  if (!MatchFile(sjis::ToUtf8(faceName), file, index)) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library.get(), file.c_str(), index, &face) != 0) return nullptr;
  return std::make_unique<CFreeTypeFace>(library, face, height);
}

namespace {

// The family name to show for a font: the Japanese one when the font has it, else the first.
std::string DisplayFamily(FcPattern* font) {
  FcChar8* family = nullptr;
  FcChar8* language = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    if (FcPatternGetString(font, FC_FAMILYLANG, i, &language) == FcResultMatch &&
        std::strcmp(reinterpret_cast<const char*>(language), "ja") == 0)
      return reinterpret_cast<const char*>(family);
  }
  if (FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch)
    return reinterpret_cast<const char*>(family);
  return {};
}

}  // namespace

std::vector<std::string> CFreeTypeRasterizer::ListJapaneseFaces() {
  std::vector<std::string> names;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, nullptr);
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcFontSet* fonts = (pattern && objects) ? FcFontList(nullptr, pattern, objects) : nullptr;
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    const std::string family = DisplayFamily(fonts->fonts[i]);
    if (!family.empty()) names.push_back(sjis::FromUtf8(family));
  }
  if (fonts) FcFontSetDestroy(fonts);
  if (objects) FcObjectSetDestroy(objects);
  if (pattern) FcPatternDestroy(pattern);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}
