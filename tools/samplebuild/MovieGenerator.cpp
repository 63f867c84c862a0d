// Renders the sample game's movies with FFmpeg's encoders: the opening movie after the logos (a
// wide picture, so black bars show above and below it) and a short movie inside the scenario. Both
// are drawn and voiced from formulas, so every build writes the same pictures and sounds.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "SampleGenerator.h"
#include "platform/movie/MovieEncoder.h"

namespace fs = std::filesystem;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kRate = 44100;

uint32_t Rgb(double r, double g, double b) {
  const auto c = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0)); };
  return 0xFF000000u | c(r) << 16 | c(g) << 8 | c(b);
}

// The opening: a dawn sky brightening over a dark horizon while the sun rises and a band of light
// sweeps across; three seconds at 30 frames a second, 640 × 360.
void DrawOpening(int frame, std::vector<uint32_t>& pixels, int width, int height) {
  const double t = frame / 90.0;
  const double sunX = width * 0.5, sunY = height * (0.95 - 0.55 * t), sunR = 36 + 10 * t;
  const double sweep = width * (1.6 * t - 0.3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double sky = static_cast<double>(y) / height;
      double r = 30 + 200 * t * (1 - sky) + 40 * sky, g = 20 + 120 * t * (1 - sky), b = 80 + 90 * (1 - sky);
      const double d = std::hypot(x - sunX, y - sunY);
      if (d < sunR)
        r = 255, g = 220 + 30 * t, b = 120;
      else if (d < sunR * 2.2) {
        const double glow = 1 - (d - sunR) / (sunR * 1.2);
        r += 80 * glow, g += 50 * glow;
      }
      const double band = std::exp(-std::pow((x + 0.3 * y - sweep) / 40.0, 2));
      r += 60 * band, g += 60 * band, b += 60 * band;
      if (y > height * 0.78 + 6 * std::sin(x / 37.0)) r *= 0.25, g *= 0.3, b *= 0.35;  // the hills
      pixels[static_cast<size_t>(y) * width + x] = Rgb(r, g, b);
    }
  }
}

// The scenario's movie: coloured wedges turning around the centre with a ring widening over them;
// two seconds, 480 × 360 (the screen's own shape).
void DrawScene(int frame, std::vector<uint32_t>& pixels, int width, int height) {
  const double turn = frame * 2 * kPi / 120.0, ring = frame * 4.0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double dx = x - width / 2.0, dy = y - height / 2.0;
      const double angle = std::atan2(dy, dx) + turn, d = std::hypot(dx, dy);
      const int wedge = static_cast<int>(std::floor((angle + 4 * kPi) / (kPi / 3))) % 6;
      static const double kWedges[6][3] = {{230, 90, 80},  {240, 200, 80},  {90, 200, 120},
                                           {80, 170, 230}, {150, 100, 220}, {230, 120, 190}};
      double shade = 0.55 + 0.45 * std::cos(d / 30.0);
      if (std::abs(d - ring) < 6) shade = 1.6;
      pixels[static_cast<size_t>(y) * width + x] =
          Rgb(kWedges[wedge][0] * shade, kWedges[wedge][1] * shade, kWedges[wedge][2] * shade);
    }
  }
}

// A rising arpeggio of soft bell tones, one note every quarter second, on the given root.
void Arpeggio(double root, int64_t first, int16_t* samples, int count) {
  static const int kSteps[] = {0, 4, 7, 12, 16, 19, 24, 19, 16, 12, 7, 4};
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(first + i) / kRate;
    double v = 0;
    for (int back = 0; back < 4; ++back) {
      const int note = static_cast<int>(t * 4) - back;
      if (note < 0) continue;
      const double since = t - note / 4.0;
      const double f = root * std::pow(2.0, kSteps[note % 12] / 12.0);
      v += std::sin(2 * kPi * f * since) * std::exp(-3.0 * since) * std::min(1.0, since * 200);
    }
    const auto s = static_cast<int16_t>(std::clamp(v * 6000, -32000.0, 32000.0));
    samples[2 * i] = s;
    samples[2 * i + 1] = static_cast<int16_t>(s * 0.8);
  }
}

bool WriteMovie(const fs::path& path, int width, int height, int frames,
                void (*draw)(int, std::vector<uint32_t>&, int, int), double root) {
  fs::create_directories(path.parent_path());
  CMovieEncoder::SSettings settings;
  settings.width = width;
  settings.height = height;
  settings.frames = frames;
  settings.framesPerSecond = 30;
  return CMovieEncoder::Write(
      path.string(), settings,
      [&](int frame, std::vector<uint32_t>& pixels) { draw(frame, pixels, width, height); },
      [root](int64_t first, int16_t* samples, int count) { Arpeggio(root, first, samples, count); });
}

bool WriteMovies(const fs::path& stage) {
  return WriteMovie(stage / "movie" / "opening.mpg", 640, 360, 90, DrawOpening, 261.63) &&
         WriteMovie(stage / "movie" / "scene.mpg", 480, 360, 60, DrawScene, 392.0);
}

}  // namespace

const CSampleGenerator kMovieGenerator("movies", WriteMovies);
