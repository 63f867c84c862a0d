// Renders the sample game's sounds: two music pieces (Ogg Vorbis; the first loops, the second is
// the piece it cross-fades to), sound effects and a system sound (WAV, 16- and 8-bit), and voices
// ("SShd" ADPCM). Everything is synthesised from fixed note lists, so every build is identical.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>

#include "SampleGenerator.h"
#include "audio/AdpcmEncoder.h"
#include "audio/VorbisEncoder.h"
#include "audio/WaveFile.h"

namespace fs = std::filesystem;

namespace {

constexpr double kPi = 3.14159265358979323846;

enum class EInstrument { Pluck, Pad, Bell, Bass };

struct SNote {
  double beat;    // start, in beats
  double length;  // in beats
  int midi;       // 69 = A4
  EInstrument instrument;
  double gain;
};

// Interleaved stereo (or mono) samples as floats before the final scaling.
struct STrack {
  int rate;
  int channels;
  std::vector<float> samples;
  STrack(int r, int c, double seconds) : rate(r), channels(c), samples(size_t(seconds * r) * c, 0.0f) {}
  size_t Frames() const { return samples.size() / channels; }
};

double Frequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// One sample of an instrument at time t seconds into a note of the given length and frequency.
double Voice(EInstrument instrument, double t, double length, double f) {
  switch (instrument) {
    case EInstrument::Pluck: {
      const double tone =
          std::sin(2 * kPi * f * t) + 0.5 * std::sin(4 * kPi * f * t) + 0.25 * std::sin(6 * kPi * f * t);
      return tone * std::exp(-4.0 * t) * std::min(1.0, t * 400);
    }
    case EInstrument::Pad: {
      const double envelope = std::min({1.0, t / 0.3, (length - t) / 0.3});
      return (std::sin(2 * kPi * f * t) + 0.3 * std::sin(2 * kPi * 2.003 * f * t)) * std::max(envelope, 0.0);
    }
    case EInstrument::Bell:
      return (std::sin(2 * kPi * f * t) + 0.6 * std::sin(2 * kPi * 2.76 * f * t) +
              0.3 * std::sin(2 * kPi * 5.4 * f * t)) *
             std::exp(-3.0 * t) * std::min(1.0, t * 800);
    case EInstrument::Bass: {
      const double phase = std::fmod(f * t, 1.0);
      return (4 * std::abs(phase - 0.5) - 1) * std::exp(-2.0 * t) * std::min(1.0, t * 300);
    }
  }
  return 0;
}

// Adds the notes; a note's tail past the end of the piece wraps to its start, so the piece loops
// without a click.
void RenderNotes(STrack& track, const std::vector<SNote>& notes, double bpm) {
  const double beat = 60.0 / bpm;
  const size_t frames = track.Frames();
  for (const SNote& note : notes) {
    const double length = note.length * beat;
    const double f = Frequency(note.midi);
    const size_t first = size_t(note.beat * beat * track.rate);
    const size_t count = size_t((length + (note.instrument == EInstrument::Pad ? 0.0 : 1.5)) * track.rate);
    // Lower notes lean left, higher ones right.
    const double pan = std::clamp((note.midi - 60) / 36.0 + 0.5, 0.1, 0.9);
    for (size_t i = 0; i < count; ++i) {
      const double v = note.gain * Voice(note.instrument, double(i) / track.rate, length, f);
      const size_t at = (first + i) % frames;
      if (track.channels == 1) {
        track.samples[at] += float(v);
      } else {
        track.samples[at * 2] += float(v * (1 - pan));
        track.samples[at * 2 + 1] += float(v * pan);
      }
    }
  }
}

// Scales the track to the given peak and converts it to 16-bit samples.
std::vector<int16_t> ToPcm16(const STrack& track, double peak = 0.8) {
  float largest = 1e-6f;
  for (float v : track.samples) largest = std::max(largest, std::abs(v));
  std::vector<int16_t> out;
  out.reserve(track.samples.size());
  for (float v : track.samples) out.push_back(int16_t(std::lround(v / largest * peak * 32767)));
  return out;
}

// Chords (as root and third/fifth above it) with a bass line and an arpeggio on top.
std::vector<SNote> Progression(const std::vector<std::array<int, 3>>& chords, EInstrument lead,
                               EInstrument pad) {
  std::vector<SNote> notes;
  for (size_t bar = 0; bar < chords.size(); ++bar) {
    const double start = bar * 4.0;
    const auto& chord = chords[bar];
    for (int n : chord) notes.push_back({start, 4, n, pad, 0.18});
    notes.push_back({start, 2, chord[0] - 12, EInstrument::Bass, 0.5});
    notes.push_back({start + 2, 2, chord[0] - 12, EInstrument::Bass, 0.4});
    static const int kArpeggio[8] = {0, 1, 2, 1, 0, 2, 1, 2};
    for (int step = 0; step < 8; ++step) {
      notes.push_back({start + step * 0.5, 0.5, chord[kArpeggio[step]] + 12, lead, 0.3});
    }
  }
  return notes;
}

STrack Music(int rate, double bpm, const std::vector<std::array<int, 3>>& chords, EInstrument lead) {
  STrack track(rate, 2, chords.size() * 4 * 60.0 / bpm);
  RenderNotes(track, Progression(chords, lead, EInstrument::Pad), bpm);
  return track;
}

STrack Effect(int rate, double seconds, const std::function<double(double)>& wave) {
  STrack track(rate, 1, seconds);
  for (size_t i = 0; i < track.samples.size(); ++i) track.samples[i] = float(wave(double(i) / rate));
  return track;
}

// A spoken-sounding phrase: a buzz with a falling pitch shaped into vowels by two resonators.
STrack Voice(int rate, int syllables, int seed) {
  static const double kFormants[5][2] = {{730, 1090}, {270, 2290}, {300, 870}, {530, 1840}, {570, 840}};
  const double syllable = 0.16;
  STrack track(rate, 1, syllables * syllable + 0.2);
  double y1[2][2] = {{0, 0}, {0, 0}};
  double phase = 0;
  for (size_t i = 0; i < track.samples.size(); ++i) {
    const double t = double(i) / rate;
    const int s = std::min(int(t / syllable), syllables - 1);
    const double pitch = 180 + 40 * std::sin(seed + s * 1.7) - 30 * t;
    phase = std::fmod(phase + pitch / rate, 1.0);
    const double buzz = 2 * phase - 1;
    const double within = t - s * syllable;
    const double envelope = t < syllables * syllable ? std::sin(kPi * std::min(within / syllable, 1.0)) : 0.0;
    double out = 0;
    for (int k = 0; k < 2; ++k) {
      // Two-pole resonator at the formant of this syllable's vowel.
      const double f = kFormants[(s + seed) % 5][k];
      const double r = 0.97;
      const double a1 = 2 * r * std::cos(2 * kPi * f / rate);
      const double y = buzz * (1 - r) + a1 * y1[k][0] - r * r * y1[k][1];
      y1[k][1] = y1[k][0];
      y1[k][0] = y;
      out += y;
    }
    track.samples[i] = float(out * envelope);
  }
  return track;
}

bool WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) {
    std::fprintf(stderr, "samplebuild: nothing encoded for %s\n", path.c_str());
    return false;
  }
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

std::vector<uint8_t> Ogg(const STrack& track) {
  return CVorbisEncoder::Encode(ToPcm16(track), track.channels, track.rate, 0.3f);
}

std::vector<uint8_t> Wave16(const STrack& track) {
  return CWaveFile::Build(SWaveFormat::Pcm16(uint16_t(track.channels), uint32_t(track.rate)), ToPcm16(track));
}

std::vector<uint8_t> Wave8(const STrack& track) {
  SWaveFormat format = SWaveFormat::Pcm16(uint16_t(track.channels), uint32_t(track.rate));
  format.bitsPerSample = 8;
  format.blockAlign = uint16_t(track.channels);
  format.averageBytesPerSecond = format.blockAlign * uint32_t(track.rate);
  std::vector<uint8_t> bytes;
  for (int16_t v : ToPcm16(track)) bytes.push_back(uint8_t((v >> 8) + 128));
  return CWaveFile::Build(format, bytes.data(), bytes.size());
}

bool GenerateSounds(const fs::path& stage) {
  // C, A minor, F, G at 96 beats a minute, looping; then A minor, D minor, E, A minor on bells.
  const STrack first =
      Music(44100, 96, {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}}, EInstrument::Pluck);
  const STrack second =
      Music(22050, 72, {{57, 60, 64}, {50, 53, 57}, {52, 56, 59}, {57, 60, 64}}, EInstrument::Bell);
  // D minor, C, B flat, A on plucked strings, slower: the track of the scene the demo route passes by.
  const STrack third =
      Music(22050, 80, {{62, 65, 69}, {60, 64, 67}, {58, 62, 65}, {57, 61, 64}}, EInstrument::Pluck);
  const STrack chime = Effect(22050, 1.0, [](double t) { return Voice(EInstrument::Bell, t, 1.0, 1318.5); });
  const STrack knock = Effect(11025, 0.5, [](double t) {
    // Two knocks: a low thump with a click.
    const double k = t < 0.25 ? t : t - 0.25;
    return std::sin(2 * kPi * 90 * k) * std::exp(-30 * k) +
           0.3 * std::sin(2 * kPi * 1900 * k) * std::exp(-200 * k);
  });
  const STrack decide = Effect(44100, 0.15, [](double t) {
    return (std::sin(2 * kPi * 1046.5 * t) + std::sin(2 * kPi * 1568 * t)) * std::exp(-18 * t);
  });
  bool ok = WriteFile(stage / "bgm" / "bgm01.ogg", Ogg(first)) &&
            WriteFile(stage / "bgm" / "bgm02.ogg", Ogg(second)) &&
            WriteFile(stage / "bgm" / "bgm03.ogg", Ogg(third)) &&
            WriteFile(stage / "se" / "se01.wav", Wave16(chime)) &&
            WriteFile(stage / "se" / "se02.wav", Wave8(knock)) &&
            WriteFile(stage / "system" / "se" / "decide.wav", Wave16(decide));
  for (int i = 1; ok && i <= 8; ++i) {
    const STrack voice = Voice(22050, 5 + i % 4, i);
    char name[32];
    std::snprintf(name, sizeof(name), "v%03d.sshd", i);
    ok = WriteFile(stage / "voice" / name, CAdpcmEncoder::Encode(ToPcm16(voice, 0.7), 1, 22050, 0x800));
  }
  // The guide's voices form the second voice category ("voice\g").
  for (int i = 1; ok && i <= 2; ++i) {
    const STrack voice = Voice(22050, 3 + i, 10 + i);
    char name[32];
    std::snprintf(name, sizeof(name), "g%03d.sshd", i);
    ok = WriteFile(stage / "voice" / name, CAdpcmEncoder::Encode(ToPcm16(voice, 0.7), 1, 22050, 0x800));
  }
  return ok;
}

const CSampleGenerator kSounds("sounds", GenerateSounds);

}  // namespace
