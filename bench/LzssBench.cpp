// LZSS decoding of a typical archive entry next to zlib inflate and memcpy of the same output size.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "io/ByteInput.h"
#include "io/LzssDecoder.h"
#include "io/LzssEncoder.h"

namespace {

constexpr size_t kSize = 1 << 20;

void AppendText(std::vector<uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
}

// Script lines with tags and Shift JIS dialogue.
void AppendScript(std::vector<uint8_t>& out, std::mt19937& random, size_t bytes) {
  static const char* const kLines[] = {"<IMG SRC=bg\\room01.png PLACE=BG EFFECT=FADE TIME=30>\r\n",
                                       "<SOUND SRC=voice\\v0012.ogg CHANNEL=3>\r\n",
                                       "【春香】「今日はいい天気ですね。」\r\n",
                                       "　窓の外を眺めながら、彼女は小さく笑った。\r\n",
                                       "<SELECT>\r\n<ITEM TEXT=\"外に出る\" JUMP=label01>\r\n</SELECT>\r\n",
                                       "\r\n"};
  const size_t end = out.size() + bytes;
  while (out.size() < end) AppendText(out, kLines[random() % 6]);
}

// Layout lines: control names and rectangles.
void AppendLayout(std::vector<uint8_t>& out, std::mt19937& random, size_t bytes) {
  const size_t end = out.size() + bytes;
  while (out.size() < end)
    AppendText(out, "CONTROL \"ボタン" + std::to_string(random() % 20) + "\" " +
                        std::to_string(random() % 800) + " " + std::to_string(random() % 600) +
                        " 120 32 system\\window\\button.png\r\n");
}

// BGRA pixels of a soft gradient with some noise, as decoded picture data looks.
void AppendImage(std::vector<uint8_t>& out, std::mt19937& random, size_t bytes) {
  for (size_t i = 0; i < bytes / 4; ++i) {
    uint8_t base = static_cast<uint8_t>((i / 7) & 0xFF);
    uint8_t noise = (random() % 8 == 0) ? static_cast<uint8_t>(random() % 6) : 0;
    out.insert(out.end(), {static_cast<uint8_t>(base + noise), static_cast<uint8_t>(base / 2), 0x40, 0xFF});
  }
}

const std::vector<uint8_t>& TypicalData() {
  static const std::vector<uint8_t> data = [] {
    std::mt19937 random(2024);
    std::vector<uint8_t> out;
    while (out.size() < kSize) {
      AppendScript(out, random, 48 * 1024);
      AppendLayout(out, random, 16 * 1024);
      AppendImage(out, random, 64 * 1024);
    }
    out.resize(kSize);
    return out;
  }();
  return data;
}

void LzssDecode(benchmark::State& state) {
  const std::vector<uint8_t>& data = TypicalData();
  const std::vector<uint8_t> stored = CLzssEncoder::Encode(data.data(), data.size());
  std::vector<uint8_t> out(kSize);
  for (auto _ : state) {
    CByteInput input(stored.data(), stored.size());
    benchmark::DoNotOptimize(CLzssDecoder::Decode(input, out.data(), out.size()));
    benchmark::ClobberMemory();
  }
  if (out != data) state.SkipWithError("LZSS round trip differs");
  state.counters["ratio"] = static_cast<double>(stored.size()) / kSize;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

void ZlibInflate(benchmark::State& state) {
  const std::vector<uint8_t>& data = TypicalData();
  std::vector<uint8_t> stored(compressBound(kSize));
  uLongf storedSize = stored.size();
  compress2(stored.data(), &storedSize, data.data(), data.size(), Z_DEFAULT_COMPRESSION);
  std::vector<uint8_t> out(kSize);
  for (auto _ : state) {
    uLongf outSize = out.size();
    benchmark::DoNotOptimize(uncompress(out.data(), &outSize, stored.data(), storedSize));
    benchmark::ClobberMemory();
  }
  state.counters["ratio"] = static_cast<double>(storedSize) / kSize;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

void MemcpyMiB(benchmark::State& state) {
  const std::vector<uint8_t>& data = TypicalData();
  std::vector<uint8_t> out(kSize);
  for (auto _ : state) {
    std::memcpy(out.data(), data.data(), kSize);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kSize);
}

}  // namespace

BENCHMARK(LzssDecode)->Name("Lzss/decode/1MiB");
BENCHMARK(ZlibInflate)->Name("Ref/zlib_inflate/1MiB");
BENCHMARK(MemcpyMiB)->Name("Ref/memcpy/1MiB");
