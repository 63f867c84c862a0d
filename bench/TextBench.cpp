// Drawing a full page of Japanese message text (edge effect on, as most games use it) through the
// glyph cache: with every glyph cached, and with the cache emptied before each page so every
// character is rasterised again.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "gfx/Display.h"
#include "platform/FontRasterizer.h"
#include "ui/TextFont.h"

namespace {

constexpr int kScreenW = 800;
constexpr int kScreenH = 600;
constexpr int kLines = 10;
constexpr int kLeft = 16;
constexpr int kTop = 200;
constexpr int kPitch = 36;

// Ten lines of thirty-two characters drawn from fewer distinct characters than the 24-pixel atlas
// holds (100), so the warm page never evicts.
const char* const kPage[kLines] = {
    "春の夜、静かな町の外れにある古い家で、私は一通の手紙を見つけた。",
    "差出人の名前はなく、ただ「明日の朝、駅で待つ」とだけ書いてある。",
    "窓の外では雨が降り始め、遠くで電車の音が小さく響いていた。ああ、",
    "私はその手紙を何度も読み返した。誰が、何のために書いたのだろう。",
    "春の夜、静かな町の外れにある古い家で、私は一通の手紙を見つけた。",
    "差出人の名前はなく、ただ「明日の朝、駅で待つ」とだけ書いてある。",
    "窓の外では雨が降り始め、遠くで電車の音が小さく響いていた。ああ、",
    "私はその手紙を何度も読み返した。誰が、何のために書いたのだろう。",
    "春の夜、静かな町の外れにある古い家で、私は一通の手紙を見つけた。",
    "差出人の名前はなく、ただ「明日の朝、駅で待つ」とだけ書いてある。",
};

struct SPageBench {
  CDisplay display;
  std::unique_ptr<IFontRasterizer> rasterizer = CreateFontRasterizer();
  CTextFont font;

  SPageBench() {
    display.Init(nullptr, kScreenW, kScreenH, true);
    if (rasterizer) font.Create(display, *rasterizer, "ＭＳ ゴシック", 24);
    CTextFont::SetEffect(CTextFont::kEffectEdge, 0xFF000000);
  }
  ~SPageBench() { CTextFont::SetEffect(CTextFont::kEffectNone, 0); }

  // The effect pass of the whole page before its text pass, as the message window draws it.
  void DrawPage() {
    display.MarkAllDirty();
    for (const int mask : {CTextFont::kSkipTextPass, CTextFont::kSkipEffectPass}) {
      CTextFont::SetPassMask(mask);
      for (int line = 0; line < kLines; ++line)
        font.DrawText(kLeft, kTop + line * kPitch, kPage[line], 0xFFFFFFFF);
    }
    CTextFont::SetPassMask(0);
  }
};

void PageWarm(benchmark::State& state) {
  SPageBench bench;
  if (!bench.rasterizer) return state.SkipWithError("no font rasteriser");
  bench.DrawPage();
  const int64_t rendered = bench.font.RenderCount();
  for (auto _ : state) bench.DrawPage();
  if (bench.font.RenderCount() != rendered) state.SkipWithError("the warm page rendered glyphs");
  benchmark::DoNotOptimize(bench.display.Pixels());
}

void PageCold(benchmark::State& state) {
  SPageBench bench;
  if (!bench.rasterizer) return state.SkipWithError("no font rasteriser");
  for (auto _ : state) {
    bench.font.ClearCache();
    bench.DrawPage();
  }
  benchmark::DoNotOptimize(bench.display.Pixels());
}

}  // namespace

BENCHMARK(PageWarm)->Name("Text/page_warm")->Unit(benchmark::kMicrosecond);
BENCHMARK(PageCold)->Name("Text/page_cold")->Unit(benchmark::kMicrosecond);
