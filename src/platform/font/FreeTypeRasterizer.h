#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <string>
#include <vector>

#include "platform/FontRasterizer.h"

// Faces found by fontconfig for Japanese text (lang=ja, so a Windows face name the system lacks
// falls back to an installed Japanese face rather than a Latin one) and drawn by FreeType.
class CFreeTypeRasterizer : public IFontRasterizer {
 public:
  // Null when FreeType or fontconfig cannot start.
  static std::unique_ptr<CFreeTypeRasterizer> Create();
  ~CFreeTypeRasterizer() override;
  CFreeTypeRasterizer(const CFreeTypeRasterizer&) = delete;
  CFreeTypeRasterizer& operator=(const CFreeTypeRasterizer&) = delete;

  std::unique_ptr<IFace> OpenFace(const std::string& faceName, int height) override;
  std::vector<std::string> ListJapaneseFaces() override;

 private:
  explicit CFreeTypeRasterizer(std::shared_ptr<FT_LibraryRec_> library) : library(std::move(library)) {}
  // The font file and face index fontconfig chooses for a UTF-8 family name; false when none.
  static bool MatchFile(const std::string& family, std::string& file, int& index);

  std::shared_ptr<FT_LibraryRec_> library;
  // Rasterisers alive in the process: fontconfig's configuration is released with the last one,
  // as nothing else in the engine uses fontconfig.
  static inline int liveCount = 0;
};
