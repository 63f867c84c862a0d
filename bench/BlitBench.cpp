// Surface drawing at the two common screen sizes next to pixman's OVER composite of the same pixels
// and a memcpy of the same bytes, measured in the same run so that the ratios hold on a noisy machine.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gfx/Display.h"
#include "gfx/ShapeDraw.h"
#include "gfx/Surface.h"

namespace {

struct SSize {
  int width;
  int height;
  std::string Name() const { return std::to_string(width) + "x" + std::to_string(height); }
};

constexpr SSize kSizes[] = {{800, 600}, {1280, 720}};

// A picture with soft colours and varied per-pixel alpha: opaque areas, transparent areas and edges.
CSurface AlphaPicture(int w, int h) {
  CSurface s;
  s.CreateBlank(w, h);
  std::mt19937 random(7);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t alpha = (x * 3 + y * 5 + random() % 16) & 255;
      s.Pixels()[size_t(y) * w + x] = alpha << 24 | uint32_t(x & 255) << 16 | uint32_t(y & 255) << 8 | 0x40;
    }
  }
  return s;
}

CSurface OpaquePicture(int w, int h) {
  CSurface s = AlphaPicture(w, h);
  for (int i = 0; i < w * h; ++i) s.Pixels()[i] |= 0xFF000000u;
  return s;
}

// A screen with the whole buffer dirty, as in a frame that redraws everything.
struct SScreen {
  CDisplay display;
  explicit SScreen(const SSize& size) { display.Init(nullptr, size.width, size.height, true); }
  SDrawTarget Target() { return SDrawTarget::Screen(display); }
};

void SetBytes(benchmark::State& state, const SSize& size) {
  state.SetBytesProcessed(int64_t(state.iterations()) * size.width * size.height * 4);
}

void BlitCase(benchmark::State& state, SSize size, bool opaque, uint32_t colour) {
  SScreen screen(size);
  const CSurface picture =
      opaque ? OpaquePicture(size.width, size.height) : AlphaPicture(size.width, size.height);
  const SDrawTarget target = screen.Target();
  for (auto _ : state) {
    picture.Blit(target, 0, 0, size.width, size.height, 0, 0, colour);
    benchmark::ClobberMemory();
  }
  SetBytes(state, size);
}

void StretchCase(benchmark::State& state, SSize size, bool mirrored) {
  SScreen screen(size);
  const CSurface picture = AlphaPicture(size.width / 2, size.height / 2);
  const SDrawTarget target = screen.Target();
  const float x0 = mirrored ? float(size.width) : 0.0f;
  const float x1 = mirrored ? 0.0f : float(size.width);
  for (auto _ : state) {
    picture.DrawStretched(target, x0, 0, x1, float(size.height), 0, 0, size.width / 2, size.height / 2,
                          0xFFFFFFFF, false);
    benchmark::ClobberMemory();
  }
  SetBytes(state, size);
}

void FillCase(benchmark::State& state, SSize size) {
  SScreen screen(size);
  const SDrawTarget target = screen.Target();
  for (auto _ : state) {
    shapes::FillRect(target, 0, 0, size.width, size.height, 0x80FFFFFF);
    benchmark::ClobberMemory();
  }
  SetBytes(state, size);
}

void PixmanOverCase(benchmark::State& state, SSize size) {
  CSurface picture = AlphaPicture(size.width, size.height);
  std::vector<uint32_t> screen(size_t(size.width) * size.height, 0xFF102030u);
  pixman_image_t* src =
      pixman_image_create_bits(PIXMAN_a8r8g8b8, size.width, size.height, picture.Pixels(), size.width * 4);
  pixman_image_t* dst =
      pixman_image_create_bits(PIXMAN_a8r8g8b8, size.width, size.height, screen.data(), size.width * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, size.width, size.height);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(src);
  pixman_image_unref(dst);
  SetBytes(state, size);
}

void MemcpyCase(benchmark::State& state, SSize size) {
  const std::vector<uint32_t> from(size_t(size.width) * size.height, 0x12345678u);
  std::vector<uint32_t> to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::ClobberMemory();
  }
  SetBytes(state, size);
}

const bool kRegistered = [] {
  for (const SSize& size : kSizes) {
    const std::string s = size.Name();
    benchmark::RegisterBenchmark(("Blit/opaque/" + s).c_str(), BlitCase, size, true, 0xFFFFFFFFu);
    benchmark::RegisterBenchmark(("Blit/alpha/" + s).c_str(), BlitCase, size, false, 0xFFFFFFFFu);
    benchmark::RegisterBenchmark(("Blit/modulated/" + s).c_str(), BlitCase, size, false, 0x80C0A080u);
    benchmark::RegisterBenchmark(("DrawStretched/2x/" + s).c_str(), StretchCase, size, false);
    benchmark::RegisterBenchmark(("DrawStretched/mirrored/" + s).c_str(), StretchCase, size, true);
    benchmark::RegisterBenchmark(("FillRect/" + s).c_str(), FillCase, size);
    benchmark::RegisterBenchmark(("Ref/pixman_over/" + s).c_str(), PixmanOverCase, size);
    benchmark::RegisterBenchmark(("Ref/memcpy/" + s).c_str(), MemcpyCase, size);
  }
  return true;
}();

}  // namespace
