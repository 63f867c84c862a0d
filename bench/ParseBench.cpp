// Parsing a generated 10 MiB scenario from memory next to a memcpy of the same bytes, with the peak
// of heap memory the parse takes, counted by the binary's own operator new and delete.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "script/ScriptParser.h"

namespace {

std::atomic<int64_t> heapInUse{0};
std::atomic<int64_t> heapPeak{0};

void* CountedNew(size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  const int64_t now = heapInUse += static_cast<int64_t>(malloc_usable_size(p));
  for (int64_t peak = heapPeak.load(); now > peak && !heapPeak.compare_exchange_weak(peak, now);) {
  }
  return p;
}

void CountedDelete(void* p) {
  if (!p) return;
  heapInUse -= static_cast<int64_t>(malloc_usable_size(p));
  std::free(p);
}

}  // namespace

void* operator new(size_t size) { return CountedNew(size); }
void* operator new[](size_t size) { return CountedNew(size); }
void operator delete(void* p) noexcept { CountedDelete(p); }
void operator delete[](void* p) noexcept { CountedDelete(p); }
void operator delete(void* p, size_t) noexcept { CountedDelete(p); }
void operator delete[](void* p, size_t) noexcept { CountedDelete(p); }

namespace {

constexpr size_t kScenarioSize = 10 << 20;

// A scenario as games write it: dialogue in Shift JIS, inline image and sound tags, empty lines
// between pages, choices, conditions and loops with their END lines, comments.
const std::string& Scenario() {
  static const std::string text = [] {
    static const char* const kPieces[] = {
        "<IMG SRC=bg\\room01.png PLACE=BG EFFECT=FADE TIME=30>\r\n",
        "<SOUND SRC=voice\\v0012.ogg CHANNEL=3><WINDOW NAME=春香>「今日はいい天気ですね。」\r\n",
        "　窓の外を眺めながら、彼女は小さく笑った。\r\n",
        "\r\n",
        "<SELECT TEXT=\"外に出る\" COND=\"flag == 0\">\r\n<EXP EXP=\"flag = 1\">外へ出た。\r\n<END>\r\n",
        "<IF COND=\"count >= 3 && flag\">\r\n<JUMP LABEL=scene02>\r\n<END>\r\n",
        "<LOOP>\r\n<EXP EXP=\"count++\"><WAIT TIME=10>\r\n<IF COND=\"count > "
        "5\">\r\n<BREAK>\r\n<END>\r\n<END>\r\n",
        "<LABEL LABEL=scene02>\r\n; 場面二の始まり\r\n",
        "<FONT SIZE=150 COLOR=FF8080>大きな声で<RUBY TEXT=叫 RUBY=さけ>んだ。<FONT SIZE=100 "
        "COLOR=DEFAULT>\r\n",
    };
    std::mt19937 random(12345);
    std::string out;
    out.reserve(kScenarioSize + 256);
    while (out.size() < kScenarioSize) out += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])];
    out.resize(kScenarioSize);
    return out;
  }();
  return text;
}

void ParseScript10MiB(benchmark::State& state) {
  const std::string& text = Scenario();
  int64_t peak = 0;
  for (auto _ : state) {
    const int64_t before = heapInUse.load();
    heapPeak = before;
    auto list = ParseScript(text);
    benchmark::DoNotOptimize(list.get());
    peak = std::max(peak, heapPeak.load() - before);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.counters["peak_bytes"] = static_cast<double>(peak);
  state.counters["peak_per_byte"] = static_cast<double>(peak) / static_cast<double>(text.size());
}

void Memcpy10MiB(benchmark::State& state) {
  const std::string& text = Scenario();
  std::vector<char> copy(text.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

BENCHMARK(ParseScript10MiB)->Name("Parse/script/10MiB")->Unit(benchmark::kMillisecond);
BENCHMARK(Memcpy10MiB)->Name("Ref/memcpy/10MiB")->Unit(benchmark::kMillisecond);

}  // namespace
