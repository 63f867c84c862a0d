#include "gfx/PngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "gfx/Surface.h"
#include "io/ReadFile.h"

namespace {

constexpr size_t kSignatureSize = 8;

// Everything the decoding steps allocate, released in one place whether or not libpng jumped out.
// Only plain data lives here: libpng's errors leave by longjmp, which skips C++ destructors.
struct SPngState {
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_infop endInfo = nullptr;
  png_bytep image = nullptr;
  png_bytepp rows = nullptr;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
};

void ReadFromFile(png_structp png, png_bytep data, png_size_t length) {
  auto* file = static_cast<CReadFile*>(png_get_io_ptr(png));
  if (file->Read(data, length) != length) png_error(png, "unexpected end of file");
}

// libpng's messages are of no use to the player; an error leaves through the jump buffer.
void IgnoreWarning(png_structp, png_const_charp) {}
[[noreturn]] void JumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void RequestRgba(png_structp png, png_infop info) {
  const int colorType = png_get_color_type(png, info);
  png_set_strip_16(png);
  png_set_packing(png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Reads the image into state.image as rows of R, G, B, A. No C++ object with a destructor may live in
// this frame because of the longjmp.
bool ReadImage(SPngState& state, CReadFile& file, png_uint_32 maxSide, png_uint_32 maxPixels) {
  if (setjmp(png_jmpbuf(state.png))) return false;
  png_set_read_fn(state.png, &file, ReadFromFile);
  png_set_sig_bytes(state.png, kSignatureSize);
  png_set_user_limits(state.png, maxSide, maxSide);
  png_read_info(state.png, state.info);
  state.width = png_get_image_width(state.png, state.info);
  state.height = png_get_image_height(state.png, state.info);
  if (uint64_t{state.width} * state.height > maxPixels) return false;
  RequestRgba(state.png, state.info);
  const png_size_t rowBytes = png_get_rowbytes(state.png, state.info);
  if (rowBytes != size_t{state.width} * 4) return false;
  state.image = static_cast<png_bytep>(png_malloc(state.png, rowBytes * state.height));
  state.rows = static_cast<png_bytepp>(png_malloc(state.png, sizeof(png_bytep) * state.height));
  for (png_uint_32 y = 0; y < state.height; ++y) state.rows[y] = state.image + rowBytes * y;
  png_read_image(state.png, state.rows);
  png_read_end(state.png, state.endInfo);
  return true;
}

void Release(SPngState& state) {
  if (state.png) {
    png_free(state.png, state.rows);
    png_free(state.png, state.image);
  }
  png_destroy_read_struct(&state.png, &state.info, &state.endInfo);
}

void StoreBgra(const SPngState& state, CSurface& surface) {
  uint32_t* out = surface.Allocate(static_cast<int>(state.width), static_cast<int>(state.height));
  if (!out) return;
  const png_bytep in = state.image;
  const size_t count = size_t{state.width} * state.height;
  for (size_t i = 0; i < count; ++i) {
    const png_bytep p = in + i * 4;
    out[i] = uint32_t{p[2]} | uint32_t{p[1]} << 8 | uint32_t{p[0]} << 16 | uint32_t{p[3]} << 24;
  }
}

}  // namespace

bool DecodePng(CReadFile& file, CSurface& surface) {
  surface.Clear();
  png_byte signature[kSignatureSize];
  if (file.Read(signature, kSignatureSize) != kSignatureSize || png_sig_cmp(signature, 0, kSignatureSize)) {
    return false;
  }
  SPngState state;
  state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
  if (state.png) {
    state.info = png_create_info_struct(state.png);
    state.endInfo = png_create_info_struct(state.png);
  }
  if (state.info && state.endInfo &&
      ReadImage(state, file, CSurface::kMaxSide, static_cast<png_uint_32>(CSurface::kMaxPixels))) {
    StoreBgra(state, surface);
  }
  Release(state);
  return !surface.IsEmpty();
}
