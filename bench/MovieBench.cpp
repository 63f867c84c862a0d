// Decoding and drawing one 800 × 600 movie frame: the decoder's thread decodes and scales the
// picture, the main thread copies it to the screen buffer. Ref/memcpy/800x600 copies the same bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/movie/FfmpegMoviePlayer.h"
#include "platform/movie/MovieEncoder.h"

namespace {

constexpr int kWidth = 800, kHeight = 600, kFrames = 60;

// A picture that changes everywhere from frame to frame, as a camera pan does.
std::string WritePanMovie() {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("zel-bench-movie-" + std::to_string(getpid()) + ".mpg"))
          .string();
  CMovieEncoder::SSettings settings;
  settings.width = kWidth;
  settings.height = kHeight;
  settings.frames = kFrames;
  CMovieEncoder::Write(
      path, settings,
      [](int frame, std::vector<uint32_t>& pixels) {
        for (int y = 0; y < kHeight; ++y)
          for (int x = 0; x < kWidth; ++x) {
            const uint32_t u = static_cast<uint32_t>(x + frame * 8), v = static_cast<uint32_t>(y);
            pixels[static_cast<size_t>(y) * kWidth + x] =
                0xFF000000u | (u ^ v) % 256 << 16 | u % 256 << 8 | v % 256;
          }
      },
      nullptr);
  return path;
}

void MovieFrame(benchmark::State& state) {
  const std::string path = WritePanMovie();
  CFfmpegMoviePlayer player(true);
  std::vector<uint32_t> screen(static_cast<size_t>(kWidth) * kHeight);
  std::unique_ptr<IMovie> movie;
  int next = kFrames;
  for (auto _ : state) {
    if (next == kFrames) {
      state.PauseTiming();
      movie = player.Open(path, kWidth, kHeight);
      if (!movie || !movie->WaitUntilReady(5000)) {
        state.SkipWithError("the movie cannot be decoded");
        break;
      }
      next = 0;
      state.ResumeTiming();
    }
    const uint32_t* picture = movie->PictureAt(next++ * 1000 / 30 + 1);
    if (picture) std::memcpy(screen.data(), picture, screen.size() * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight * 4);
  std::filesystem::remove(path);
}

// The decoding runs on the decoder's thread: wall time is what a frame costs.
BENCHMARK(MovieFrame)->Name("Movie/frame/800x600")->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
