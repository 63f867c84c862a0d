#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx/PixelBlend.h"

using namespace pixelblend;

namespace {

uint32_t Pixel(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

}  // namespace

TEST(PixelBlendTest, FactorsOfColour) {
  const SModulation white = MakeModulation(0xFFFFFFFF);
  EXPECT_EQ(white.kR, 128);
  EXPECT_EQ(white.kA, 129);
  EXPECT_TRUE(white.identity);
  const SModulation m = MakeModulation(0x807F80FF);
  EXPECT_EQ(m.kA, 64);
  EXPECT_EQ(m.kR, 63);
  EXPECT_EQ(m.kG, 64);
  EXPECT_EQ(m.kB, 128);
  EXPECT_FALSE(m.identity);
  EXPECT_EQ(MakeModulation(0xFE000000).kA, 128);
  EXPECT_EQ(FillAlpha(0xFF000000), 256u);
  EXPECT_EQ(FillAlpha(0x80000000), 128u);
  EXPECT_EQ(FillAlpha(0x00FFFFFF), 0u);
}

TEST(PixelBlendTest, WorkedExamples) {
  const uint32_t screen = Pixel(0, 10, 100, 200);
  const uint32_t opaque = Pixel(255, 250, 20, 0);
  // White colour: an opaque pixel replaces the screen pixel, alpha included.
  EXPECT_EQ(BlendPixel(screen, opaque, MakeModulation(0xFFFFFFFF), EBlendMode::kBlit), opaque);
  // Alpha 0x80: w = 63, p + ((63 * (s - p)) >> 7), just under the midpoint; negative steps round down.
  EXPECT_EQ(BlendPixel(screen, opaque, MakeModulation(0x80FFFFFF), EBlendMode::kBlit),
            Pixel(0 + ((63 * 255) >> 7), 10 + ((63 * 240) >> 7), 100 + ((63 * -80) >> 7),
                  200 + ((63 * -200) >> 7)));
  EXPECT_EQ(BlendPixel(screen, opaque, MakeModulation(0x80FFFFFF), EBlendMode::kBlit),
            Pixel(125, 128, 60, 101));
  // 0xFF808080 halves the colour channels before blending.
  EXPECT_EQ(BlendPixel(0, Pixel(255, 200, 101, 7), MakeModulation(0xFF808080), EBlendMode::kOver),
            Pixel(255, 100, 50, 3));
  // Additive white onto white stays white.
  EXPECT_EQ(BlendPixel(0xFFFFFFFF, 0xFFFFFFFF, MakeModulation(0xFFFFFFFF), EBlendMode::kAdditive),
            0xFFFFFFFFu);
  EXPECT_EQ(BlendPixel(Pixel(0, 200, 0, 50), Pixel(255, 100, 30, 40), MakeModulation(0xFFFFFFFF),
                       EBlendMode::kAdditive),
            Pixel(255, 255, 30, 90));
}

TEST(PixelBlendTest, LowAlphaLeavesTheScreenOnlyForBlit) {
  const uint32_t screen = Pixel(10, 100, 100, 100);
  const uint32_t faint = Pixel(7, 255, 255, 255);
  EXPECT_EQ(BlendPixel(screen, faint, MakeModulation(0xFFFFFFFF), EBlendMode::kBlit), screen);
  // w = (7 * 129) >> 8 = 3 for the plain source-over.
  EXPECT_EQ(BlendPixel(screen, faint, MakeModulation(0xFFFFFFFF), EBlendMode::kOver),
            Pixel(10 + 5, 103, 103, 103));
  EXPECT_NE(BlendPixel(screen, Pixel(8, 255, 255, 255), MakeModulation(0xFFFFFFFF), EBlendMode::kBlit),
            screen);
}

TEST(PixelBlendTest, FillPixelFormula) {
  // Alpha 128 white over black gives 127; alpha 255 covers completely.
  EXPECT_EQ(FillPixel(0xFF000000, 0x80FFFFFF, FillAlpha(0x80FFFFFF)), Pixel(255, 127, 127, 127));
  EXPECT_EQ(FillPixel(0x00000000, 0x80FFFFFF, FillAlpha(0x80FFFFFF)), Pixel(127, 127, 127, 127));
  EXPECT_EQ(FillPixel(0x12345678, 0xFFABCDEF, 256), 0xFFABCDEFu);
  EXPECT_EQ(FillPixel(0x12345678, 0x00ABCDEF, 0), 0x12345678u);
}

// Every vector loop gives exactly the bytes of the portable loop, for every mode, colour kind and run
// length (the leftover pixels of each loop included).
TEST(PixelBlendTest, VectorLoopsMatchScalarOnRandomData) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<uint32_t> any;
  const uint32_t colours[] = {0xFFFFFFFF, 0x80FFFFFF, 0x80C0A080, 0xFF808080, 0x07FFFFFF, 0};
  const EBlendMode modes[] = {EBlendMode::kBlit, EBlendMode::kOver, EBlendMode::kAdditive};
  for (EKernel kernel : {EKernel::kSse2, EKernel::kAvx2}) {
    if (!KernelSupported(kernel)) continue;
    for (int n : {0, 1, 3, 4, 7, 8, 9, 15, 16, 17, 33, 100}) {
      for (uint32_t colour : colours) {
        for (EBlendMode mode : modes) {
          std::vector<uint32_t> src(n), dst(n);
          for (int i = 0; i < n; ++i) {
            // Mix in the special alphas: fully opaque, fully transparent and just below and at 8.
            const uint32_t special[] = {0xFF, 0, 7, 8, any(rng) & 0xFF};
            src[i] = (any(rng) & 0xFFFFFF) | special[any(rng) % 5] << 24;
            dst[i] = any(rng);
          }
          std::vector<uint32_t> expected = dst;
          BlendRowWith(EKernel::kScalar, expected.data(), src.data(), n, MakeModulation(colour), mode);
          BlendRowWith(kernel, dst.data(), src.data(), n, MakeModulation(colour), mode);
          ASSERT_EQ(dst, expected) << "kernel " << int(kernel) << " n " << n << " colour " << colour
                                   << " mode " << int(mode);
        }
      }
    }
  }
}

TEST(PixelBlendTest, OpaqueRunsAndFillsMatchScalar) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<uint32_t> any;
  for (EKernel kernel : {EKernel::kSse2, EKernel::kAvx2}) {
    if (!KernelSupported(kernel)) continue;
    // Whole runs of opaque or invisible pixels take the shortcuts of the vector loops.
    std::vector<uint32_t> src(64), dst(64);
    for (int i = 0; i < 64; ++i) {
      src[i] = (any(rng) & 0xFFFFFF) | (i < 32 ? 0xFF000000u : (any(rng) % 8) << 24);
      dst[i] = any(rng);
    }
    std::vector<uint32_t> expected = dst;
    BlendRowWith(EKernel::kScalar, expected.data(), src.data(), 64, MakeModulation(0xFFFFFFFF),
                 EBlendMode::kBlit);
    BlendRowWith(kernel, dst.data(), src.data(), 64, MakeModulation(0xFFFFFFFF), EBlendMode::kBlit);
    EXPECT_EQ(dst, expected);
    for (uint32_t d : {0u, 1u, 128u, 255u, 256u}) {
      for (int n : {1, 5, 8, 13, 40}) {
        std::vector<uint32_t> a(n), b;
        for (uint32_t& p : a) p = any(rng);
        b = a;
        const uint32_t colour = any(rng);
        FillRowWith(EKernel::kScalar, a.data(), n, colour, d);
        FillRowWith(kernel, b.data(), n, colour, d);
        ASSERT_EQ(a, b) << "d " << d << " n " << n;
      }
    }
  }
}

// The texels of a walk, fetched by the fast paths (one picture row, a plain copy, both ends inside),
// equal the texels read one by one; outside the picture they are transparent.
TEST(PixelBlendTest, GatheredTexelsEqualTheirWalk) {
  std::vector<uint32_t> picture(size_t(37) * 23);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = 0x01000000u * uint32_t(i % 250 + 1) | uint32_t(i);
  STexelWalk walk;
  walk.pixels = picture.data();
  walk.width = 37;
  walk.height = 23;
  struct SCase {
    int64_t u, v, du, dv;
    int n;
  };
  const SCase cases[] = {
      {3 << 16, 5 << 16, 65536, 0, 30},                         // a copy of part of a row
      {(2 << 16) + 900, 7 << 16, 40000, 0, 40},                 // one row, scaled (runs off the right end)
      {36 << 16, 22 << 16, -65536, -30000, 30},                 // backwards and upwards
      {-(3 << 16), 4 << 16, 50000, 20000, 50},                  // starts left of the picture
      {5 << 16, -(2 << 16), 70000, 65536, 40},                  // starts above, leaves below
      {10 << 16, 10 << 16, 123456, -54321, 1},                  // one texel
      {int64_t{1} << 40, 3 << 16, -(int64_t{1} << 35), 0, 20},  // far outside
  };
  for (const SCase& c : cases) {
    walk.u = c.u;
    walk.v = c.v;
    walk.du = c.du;
    walk.dv = c.dv;
    std::vector<uint32_t> out(size_t(c.n) + 1, 0xDEADBEEF);
    GatherTexels(out.data(), c.n, walk);
    for (int i = 0; i < c.n; ++i) {
      const int64_t x = (c.u + c.du * i) >> 16, y = (c.v + c.dv * i) >> 16;
      const uint32_t expected = x >= 0 && y >= 0 && x < 37 && y < 23 ? picture[size_t(y * 37 + x)] : 0;
      ASSERT_EQ(out[size_t(i)], expected) << "u " << c.u << " v " << c.v << " texel " << i;
    }
    EXPECT_EQ(out[size_t(c.n)], 0xDEADBEEFu);
  }
}
