// The engine's scene draw pass with seven full-screen layers: a frame in which nothing changed, a full
// redraw, a FADE running on every layer, one case for each family of screen effects and of image
// transitions, next to seven pixman OVER composites of the same layers measured in the same run.
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "gfx/Display.h"
#include "gfx/LayerSet.h"
#include "gfx/PictureHost.h"
#include "gfx/PngWriter.h"
#include "io/LooseFiles.h"
#include "platform/Random.h"

namespace {

struct SFrameSize {
  int width;
  int height;
  std::string Name() const { return std::to_string(width) + "x" + std::to_string(height); }
};

constexpr SFrameSize kFrameSizes[] = {{800, 600}, {1280, 720}};
constexpr int kLayers = 7;

// Layer pictures: the background opaque, the others with soft per-pixel alpha.
std::vector<uint32_t> LayerPixels(const SFrameSize& size, int layer) {
  std::vector<uint32_t> pixels(size_t(size.width) * size.height);
  std::mt19937 random(unsigned(layer + 1));
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      const uint32_t alpha = layer == 0 ? 255 : (x * 3 + y * 5 + layer * 40 + random() % 16) & 255;
      pixels[size_t(y) * size.width + x] = alpha << 24 | uint32_t((x + layer * 30) & 255) << 16 |
                                           uint32_t(y & 255) << 8 | uint32_t(layer * 36);
    }
  }
  return pixels;
}

// The engine's side of the pictures: a window-less screen, a fixed mode timer and clock.
class CBenchHost : public IPictureHost {
 public:
  explicit CBenchHost(const SFrameSize& size) : layers(*this) {
    display.Init(nullptr, size.width, size.height, true);
  }
  CDisplay& Display() override { return display; }
  IImageDrawer& ImageDrawer() override { return layers; }
  CRandom& Random() override { return random; }
  int32_t Mode() const override { return 0; }
  int32_t WaitElapsed() const override { return 0; }
  int32_t WaitLength() const override { return 0; }
  bool AreEffectsOff() const override { return false; }
  uint32_t FrameTime() const override { return 1000; }
  void DiscardElapsedTime() override {}

  CDisplay display;
  CRandom random;
  CLayerSet layers;
};

// The scratch folders of the run, removed when it ends.
struct SScratchFolders {
  std::vector<std::filesystem::path> paths;
  ~SScratchFolders() {
    std::error_code error;
    for (const std::filesystem::path& path : paths) std::filesystem::remove_all(path, error);
  }
};
SScratchFolders scratchFolders;

// Writes the seven layer pictures as PNG files in a scratch folder of their size (once per run: the
// encoding costs more than most cases) and makes it the data folder.
void PrepareFiles(const SFrameSize& size) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("zel-framebench-" + std::to_string(::getpid()) + "-" + size.Name());
  const bool written = std::filesystem::exists(dir);
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  CLooseFiles::Instance().ForgetListings();
  if (written) return;
  scratchFolders.paths.push_back(dir);
  for (int layer = 0; layer < kLayers; ++layer) {
    const std::vector<uint32_t> pixels = LayerPixels(size, layer);
    CPngWriter::Write("layer" + std::to_string(layer) + ".png", pixels.data(), size.width, size.height,
                      size.width, true);
  }
  // A grey diagonal gradient for the mask transitions.
  std::vector<uint32_t> mask(size_t(size.width) * size.height);
  for (int y = 0; y < size.height; ++y)
    for (int x = 0; x < size.width; ++x)
      mask[size_t(y) * size.width + x] =
          0xFF000000u | 0x010101u * uint32_t((x + y) * 255 / (size.width + size.height));
  CPngWriter::Write("mask.png", mask.data(), size.width, size.height, size.width, true);
  CLooseFiles::Instance().ForgetListings();
}

// Seven layers shown; with a transition each layer shows its picture again over itself, a quarter
// of the way through.
std::unique_ptr<CBenchHost> MakeScene(const SFrameSize& size, int32_t transition) {
  PrepareFiles(size);
  auto host = std::make_unique<CBenchHost>(size);
  for (int32_t layer = 0; layer < kLayers; ++layer) {
    SLayerImage image;
    image.layer = layer;
    image.src = "layer" + std::to_string(layer) + ".png";
    host->layers.ShowImage(image);
    if (transition == 0) continue;
    image.transition = transition;
    image.duration = 5;
    image.mask = "mask.png";
    host->layers.ShowImage(image);
  }
  host->layers.AdvanceTransitions(2);
  return host;
}

void FrameCase(benchmark::State& state, SFrameSize size, int32_t transition, int32_t effect, bool dirty) {
  std::unique_ptr<CBenchHost> host = MakeScene(size, transition);
  if (effect != 0) host->layers.Effect().Start(effect, 1, 0xFF000000, -1);
  CDisplay& display = host->display;
  for (auto _ : state) {
    display.ClearSpans();
    if (dirty) display.MarkAllDirty();
    host->layers.MarkFrameDirty();
    display.FillDirty(0);
    host->layers.DrawScene();
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * size.width * size.height * 4 * kLayers);
}

void PixmanOver7Case(benchmark::State& state, SFrameSize size) {
  std::vector<std::vector<uint32_t>> pictures;
  for (int layer = 0; layer < kLayers; ++layer) pictures.push_back(LayerPixels(size, layer));
  std::vector<uint32_t> screen(size_t(size.width) * size.height, 0);
  pixman_image_t* dst =
      pixman_image_create_bits(PIXMAN_a8r8g8b8, size.width, size.height, screen.data(), size.width * 4);
  std::vector<pixman_image_t*> sources;
  for (std::vector<uint32_t>& p : pictures)
    sources.push_back(
        pixman_image_create_bits(PIXMAN_a8r8g8b8, size.width, size.height, p.data(), size.width * 4));
  for (auto _ : state) {
    for (pixman_image_t* src : sources)
      pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, size.width, size.height);
    benchmark::ClobberMemory();
  }
  for (pixman_image_t* src : sources) pixman_image_unref(src);
  pixman_image_unref(dst);
  state.SetBytesProcessed(int64_t(state.iterations()) * size.width * size.height * 4 * kLayers);
}

struct SFamily {
  const char* name;
  int32_t number;
};

// One member of each family of screen effects, drawn with the same code as the rest of its family.
constexpr SFamily kEffects[] = {
    {"fade", 1},    {"wipe_scroll", 2}, {"wipe_blind", 6}, {"wipe_scale", 10},     {"wipe_spot", 14},
    {"mosaic", 15}, {"blur_zoom", 17},  {"blur_horz", 18}, {"flash", 19},          {"negative", 20},
    {"raster", 21}, {"haze", 22},       {"vibration", 23}, {"vibration_rand", 25}, {"rotate", 26},
    {"ripple", 30}, {"rain", 31},       {"snow", 32},      {"sakura", 33},
};

// One member of each family of image transitions.
constexpr SFamily kTransitions[] = {
    {"move", 2},   {"trail", 4}, {"scale", 6},          {"scroll", 10},
    {"blind", 14}, {"mask", 18}, {"mask_negative", 19},
};

const bool kRegistered = [] {
  constexpr int32_t kFade = 1;
  constexpr int32_t kBlur = 16;
  constexpr int32_t kWarpLeft = 28;
  for (const SFrameSize& size : kFrameSizes) {
    const std::string s = size.Name();
    benchmark::RegisterBenchmark(("Frame/static/" + s).c_str(), FrameCase, size, 0, 0, false);
    benchmark::RegisterBenchmark(("Frame/full/" + s).c_str(), FrameCase, size, 0, 0, true);
    benchmark::RegisterBenchmark(("Frame/fade7/" + s).c_str(), FrameCase, size, kFade, 0, true);
    benchmark::RegisterBenchmark(("Frame/blur/" + s).c_str(), FrameCase, size, 0, kBlur, true);
    benchmark::RegisterBenchmark(("Frame/warp/" + s).c_str(), FrameCase, size, 0, kWarpLeft, true);
    for (const SFamily& e : kEffects)
      benchmark::RegisterBenchmark(("Frame/effect/" + std::string(e.name) + "/" + s).c_str(), FrameCase, size,
                                   0, e.number, true);
    for (const SFamily& t : kTransitions)
      benchmark::RegisterBenchmark(("Frame/transition/" + std::string(t.name) + "/" + s).c_str(), FrameCase,
                                   size, t.number, 0, true);
    benchmark::RegisterBenchmark(("Ref/pixman_over7/" + s).c_str(), PixmanOver7Case, size);
  }
  return true;
}();

}  // namespace
