#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "audio/AdpcmEncoder.h"
#include "audio/AdpcmSource.h"
#include "audio/OggSource.h"
#include "audio/VorbisEncoder.h"
#include "audio/WaveFile.h"
#include "audio/WaveSource.h"

namespace {

std::vector<uint8_t> ReadAll(CSoundSource& source, uint32_t piece) {
  std::vector<uint8_t> out;
  std::vector<uint8_t> buffer(piece);
  while (uint32_t got = source.Read(buffer.data(), piece))
    out.insert(out.end(), buffer.begin(), buffer.begin() + got);
  return out;
}

std::vector<int16_t> Samples(const std::vector<uint8_t>& bytes) {
  std::vector<int16_t> out(bytes.size() / 2);
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

std::vector<int16_t> Sine(int channels, int rate, int frames, double hz) {
  std::vector<int16_t> out;
  for (int i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c)
      out.push_back(static_cast<int16_t>(12000 * std::sin(2 * M_PI * hz * (c + 1) * i / rate)));
  }
  return out;
}

void PutLe32(std::vector<uint8_t>& v, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// An "SShd" file with the given header fields and raw ADPCM frames.
std::vector<uint8_t> Sshd(uint32_t channelCode, uint32_t interleave,
                          const std::vector<std::array<uint8_t, 16>>& frames) {
  std::vector<uint8_t> file(40, 0);
  std::memcpy(file.data(), "SShd", 4);
  PutLe32(file, 12, 22050);
  PutLe32(file, 16, channelCode);
  PutLe32(file, 20, interleave);
  for (const auto& f : frames) file.insert(file.end(), f.begin(), f.end());
  return file;
}

// A frame whose 28 nibbles all hold the value n.
std::array<uint8_t, 16> Frame(uint8_t header, int n, uint8_t flag = 0) {
  std::array<uint8_t, 16> f{};
  f[0] = header;
  f[1] = flag;
  for (int i = 2; i < 16; ++i) f[i] = static_cast<uint8_t>((n & 0xF) | ((n & 0xF) << 4));
  return f;
}

}  // namespace

TEST(WaveSource, PcmRoundTripInAnyPieceSize) {
  const std::vector<int16_t> pcm = {1, -2, 300, -32768, 32767, 7};
  auto file = CWaveFile::Build(SWaveFormat::Pcm16(2, 22050), pcm);
  auto source = CSoundSource::FromMemory(file);
  ASSERT_NE(dynamic_cast<CWaveSource*>(source.get()), nullptr);
  const SWaveFormat& f = source->GetFormat();
  EXPECT_EQ(f.formatTag, 1);
  EXPECT_EQ(f.channels, 2);
  EXPECT_EQ(f.samplesPerSecond, 22050u);
  EXPECT_EQ(f.averageBytesPerSecond, 88200u);
  EXPECT_EQ(f.blockAlign, 4);
  EXPECT_EQ(f.bitsPerSample, 16);
  EXPECT_TRUE(f.extra.empty());
  EXPECT_EQ(source->GetSize(), 12u);
  EXPECT_EQ(Samples(ReadAll(*source, 5)), pcm);
  uint8_t byte = 0;
  EXPECT_EQ(source->Read(&byte, 1), 0u);
  source->Rewind();
  EXPECT_EQ(Samples(ReadAll(*source, 64)), pcm);
}

TEST(WaveSource, NonPcmFormatKeepsItsExtraBytes) {
  SWaveFormat adpcm;
  adpcm.formatTag = 2;
  adpcm.channels = 1;
  adpcm.samplesPerSecond = 11025;
  adpcm.averageBytesPerSecond = 5644;
  adpcm.blockAlign = 256;
  adpcm.bitsPerSample = 4;
  adpcm.extra = {0xF4, 0x01, 0x07, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0xFF};
  const uint8_t data[3] = {9, 8, 7};
  auto source = CSoundSource::FromMemory(CWaveFile::Build(adpcm, data, 3));
  EXPECT_EQ(source->GetFormat().formatTag, 2);
  EXPECT_EQ(source->GetFormat().extra, adpcm.extra);
  EXPECT_EQ(source->GetSize(), 3u);
  EXPECT_EQ(ReadAll(*source, 2), std::vector<uint8_t>({9, 8, 7}));
}

TEST(WaveSource, SkipsOddChunksWithTheirPadByte) {
  auto file = CWaveFile::Build(SWaveFormat::Pcm16(1, 8000), std::vector<int16_t>{5, 6});
  // Insert a 3-byte "LIST" chunk plus its pad byte between "fmt " and "data".
  const std::vector<uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  file.insert(file.begin() + 36, list.begin(), list.end());
  PutLe32(file, 4, static_cast<uint32_t>(file.size() - 8));
  auto source = CSoundSource::FromMemory(file);
  EXPECT_EQ(Samples(ReadAll(*source, 16)), std::vector<int16_t>({5, 6}));
}

TEST(WaveSource, DamagedFilesGiveSizeZeroOrOnlyTheBytesPresent) {
  const auto good = CWaveFile::Build(SWaveFormat::Pcm16(1, 8000), std::vector<int16_t>{1, 2, 3, 4});
  auto notWave = good;
  std::memcpy(notWave.data() + 8, "AVI ", 4);
  EXPECT_EQ(CSoundSource::FromMemory(notWave)->GetSize(), 0u);
  auto shortFmt = good;
  PutLe32(shortFmt, 16, 14);  // "fmt " of 14 bytes, then the chunk walk is off
  EXPECT_EQ(CSoundSource::FromMemory(shortFmt)->GetSize(), 0u);
  auto noData = good;
  std::memcpy(noData.data() + 36, "junk", 4);
  EXPECT_EQ(CSoundSource::FromMemory(noData)->GetSize(), 0u);
  auto hugeChunk = good;
  PutLe32(hugeChunk, 16, 0xFFFFFFF0u);  // "fmt " claims more than the file
  EXPECT_EQ(CSoundSource::FromMemory(hugeChunk)->GetSize(), 0u);
  EXPECT_EQ(CSoundSource::FromMemory(std::vector<uint8_t>(good.begin(), good.begin() + 20))->GetSize(), 0u);
  // A data chunk cut off by the end of the file plays the bytes that are there.
  auto cut = good;
  cut.resize(cut.size() - 3);
  auto source = CSoundSource::FromMemory(cut);
  EXPECT_EQ(source->GetSize(), 5u);
  EXPECT_EQ(ReadAll(*source, 8).size(), 5u);
  // A non-PCM "fmt " whose extra size runs past the chunk is rejected.
  SWaveFormat odd;
  odd.formatTag = 3;
  odd.extra = {1, 2};
  auto badExtra = CWaveFile::Build(odd, nullptr, 0);
  badExtra[36] = 40;
  EXPECT_EQ(CSoundSource::FromMemory(badExtra)->GetSize(), 0u);
}

TEST(OggSource, RoundTripThroughVorbisEncoder) {
  const int frames = 11025;
  const auto pcm = Sine(2, 22050, frames, 441.0);
  const auto file = CVorbisEncoder::Encode(pcm, 2, 22050);
  ASSERT_GT(file.size(), 100u);
  auto source = CSoundSource::FromMemory(file);
  ASSERT_NE(dynamic_cast<COggSource*>(source.get()), nullptr);
  EXPECT_EQ(source->GetFormat().formatTag, 1);
  EXPECT_EQ(source->GetFormat().channels, 2);
  EXPECT_EQ(source->GetFormat().samplesPerSecond, 22050u);
  EXPECT_EQ(source->GetFormat().blockAlign, 4);
  EXPECT_EQ(source->GetFormat().averageBytesPerSecond, 88200u);
  EXPECT_EQ(source->GetSize(), uint32_t{frames} * 4);
  const auto decoded = ReadAll(*source, 1000);
  ASSERT_EQ(decoded.size(), size_t{frames} * 4);
  // Lossy, but close: the signal-to-noise ratio of a pure tone stays far above 20 dB.
  const auto samples = Samples(decoded);
  double signal = 0, noise = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    signal += double(pcm[i]) * pcm[i];
    noise += double(samples[i] - pcm[i]) * (samples[i] - pcm[i]);
  }
  EXPECT_GT(10 * std::log10(signal / noise), 20.0);
  // Piece size does not change the bytes, and Rewind starts over.
  source->Rewind();
  EXPECT_EQ(ReadAll(*source, 4096 * 3 + 7), decoded);
}

TEST(OggSource, ShortReadAtTheEndThenZero) {
  auto source = CSoundSource::FromMemory(CVorbisEncoder::Encode(Sine(1, 8000, 1000, 300), 1, 8000));
  ASSERT_EQ(source->GetSize(), 2000u);
  std::vector<uint8_t> buffer(1500);
  EXPECT_EQ(source->Read(buffer.data(), 1500), 1500u);
  EXPECT_EQ(source->Read(buffer.data(), 1500), 500u);
  EXPECT_EQ(source->Read(buffer.data(), 1500), 0u);
}

TEST(OggSource, EmptyAndForeignFilesFailToOpen) {
  auto empty = CSoundSource::FromMemory({});
  EXPECT_NE(dynamic_cast<COggSource*>(empty.get()), nullptr);
  EXPECT_EQ(empty->GetSize(), 0u);
  uint8_t b[16];
  EXPECT_EQ(empty->Read(b, 16), 0u);
  EXPECT_EQ(CSoundSource::FromMemory({'R', 'I', 'F'})->GetSize(), 0u);
  EXPECT_EQ(CSoundSource::FromMemory(std::vector<uint8_t>(5000, 0x4F))->GetSize(), 0u);
  // A valid file cut in half still opens or fails cleanly, never reading past its buffer.
  auto file = CVorbisEncoder::Encode(Sine(1, 8000, 8000, 300), 1, 8000);
  file.resize(file.size() / 2);
  auto half = CSoundSource::FromMemory(file);
  ReadAll(*half, 4096);
}

TEST(OggSource, ChainedPartWithAnotherLayoutEndsTheData) {
  // Noise, so the first link spans several pages: vorbisfile skips a first link of one audio page.
  std::vector<int16_t> noise(20000);
  uint32_t seed = 1;
  for (int16_t& v : noise)
    v = static_cast<int16_t>(((seed = seed * 1103515245 + 12345) >> 16) & 0x3FFF) - 8192;
  auto file = CVorbisEncoder::Encode(noise, 1, 8000, 0.4f, 1);
  const auto second = CVorbisEncoder::Encode(Sine(2, 22050, 20000, 300), 2, 22050, 0.4f, 2);
  file.insert(file.end(), second.begin(), second.end());
  auto source = CSoundSource::FromMemory(file);
  EXPECT_EQ(source->GetFormat().channels, 1);
  EXPECT_EQ(ReadAll(*source, 700).size(), 40000u);
}

TEST(AdpcmSource, DecodesShiftPredictorsAndHistoryExactly) {
  // Frame 1: predictor 0, shift 12: the samples are the nibbles themselves.
  std::array<uint8_t, 16> first{};
  first[0] = 0x0C;
  first[2] = 0xF1;  // 1, then -1
  first[3] = 0x87;  // 7, then -8
  // Frame 2: predictor 1 (0.9375 × previous), all nibbles 0, shift 12.
  // Frame 3: predictor 2 with shift 0 and nibble 1: 4096 + 1.796875 × s1 − 0.8125 × s2.
  auto file = Sshd(1, 16, {first, Frame(0x1C, 0), Frame(0x20, 1)});
  auto source = CSoundSource::FromMemory(file);
  ASSERT_NE(dynamic_cast<CAdpcmSource*>(source.get()), nullptr);
  EXPECT_EQ(source->GetFormat().channels, 1);
  EXPECT_EQ(source->GetFormat().samplesPerSecond, 22050u);
  EXPECT_EQ(source->GetFormat().blockAlign, 2);
  EXPECT_EQ(source->GetSize(), 3u * 56);
  const auto s = Samples(ReadAll(*source, 10));
  ASSERT_EQ(s.size(), 84u);
  // The output is the truncation of sample + 0.5, which moves negative values one step up.
  EXPECT_EQ(std::vector<int16_t>(s.begin(), s.begin() + 5), std::vector<int16_t>({1, 0, 7, -7, 0}));
  // Frame 2 starts from s1 = 0 (the last nibble of frame 1), so it stays 0.
  EXPECT_EQ(s[28], 0);
  // Frame 3: s1 = s2 = 0: 4096, then 4096 + 1.796875 × 4096 = 11456, then 4096 + 1.796875 × 11456 − 0.8125 ×
  // 4096.
  EXPECT_EQ(s[56], 4096);
  EXPECT_EQ(s[57], 11456);
  EXPECT_EQ(s[58], 21353);  // 4096 + 20585 − 3328
}

TEST(AdpcmSource, ClampsToSixteenBitsAndTreatsBadPredictorsAsZero) {
  // Shift 0, nibble 7 with predictor 4: the sum leaves the 16-bit range and is clamped; the
  // history keeps growing unclamped underneath.
  auto source = CSoundSource::FromMemory(Sshd(1, 16, {Frame(0x40, 7), Frame(0xF0, -8)}));
  const auto s = Samples(ReadAll(*source, 112));
  EXPECT_EQ(s[0], 28672);
  EXPECT_EQ(s[1], 32767);
  EXPECT_EQ(s[27], 32767);
  // Predictor index 15 decodes like index 0: -8 × 4096 = -32768, output as -32767.5 truncated.
  EXPECT_EQ(s[28], -32767);
  EXPECT_EQ(s[55], -32767);
}

TEST(AdpcmSource, StereoBlocksOfInterleave0x1000) {
  std::vector<std::array<uint8_t, 16>> frames;
  for (int i = 0; i < 256; ++i) frames.push_back(Frame(0x0C, 1));  // left: 1
  for (int i = 0; i < 256; ++i) frames.push_back(Frame(0x0C, 3));  // right: 3
  auto source = CSoundSource::FromMemory(Sshd(2, 0x1000, frames));
  auto* adpcm = dynamic_cast<CAdpcmSource*>(source.get());
  ASSERT_NE(adpcm, nullptr);
  EXPECT_EQ(adpcm->BlockBytes(), 2u * 256 * 56);
  EXPECT_EQ(adpcm->GetSize(), 512u * 56);
  EXPECT_EQ(adpcm->GetFormat().blockAlign, 4);
  const auto s = Samples(ReadAll(*source, 1000));
  ASSERT_EQ(s.size(), 28672u / 2);
  for (size_t i = 0; i < s.size(); i += 2) {
    ASSERT_EQ(s[i], 1) << i;
    ASSERT_EQ(s[i + 1], 3) << i;
  }
}

TEST(AdpcmSource, EndFlagSilencesTheRestOfTheChannelsBlock) {
  // Mono, two frames per block: block 1 = [3, flag 7], block 2 = [flag 7 on frame 1 ends frame 2
  // too], block 3 = [5, 5].
  auto source = CSoundSource::FromMemory(Sshd(0, 32,
                                              {Frame(0x0C, 3), Frame(0x0C, 4, 7), Frame(0x0C, 6, 7),
                                               Frame(0x0C, 6), Frame(0x0C, 5), Frame(0x0C, 5)}));
  const auto s = Samples(ReadAll(*source, 56 * 6));
  ASSERT_EQ(s.size(), 168u);
  EXPECT_EQ(s[0], 3);
  EXPECT_EQ(s[28], 0);
  EXPECT_EQ(s[56], 0);
  EXPECT_EQ(s[84], 0);
  EXPECT_EQ(s[112], 5);
  EXPECT_EQ(s[167], 5);
}

TEST(AdpcmSource, RejectsHeadersThatCannotBeDecoded) {
  EXPECT_EQ(CSoundSource::FromMemory(Sshd(1, 8, {Frame(0x0C, 1)}))->GetSize(),
            0u);  // interleave < 16: no progress
  EXPECT_EQ(CSoundSource::FromMemory(Sshd(2, 0xFFFFFFF0u, {Frame(0x0C, 1)}))->GetSize(), 0u);
  std::vector<uint8_t> header = Sshd(1, 16, {});
  header.resize(39);
  EXPECT_EQ(CSoundSource::FromMemory(header)->GetSize(), 0u);
  // A last frame cut short decodes as silence without reading past the file.
  auto cut = Sshd(1, 16, {Frame(0x0C, 2), Frame(0x0C, 2)});
  cut.resize(cut.size() - 5);
  auto source = CSoundSource::FromMemory(cut);
  EXPECT_EQ(source->GetSize(), 56u);
  const auto s = Samples(ReadAll(*source, 100));
  ASSERT_EQ(s.size(), 56u);
  EXPECT_EQ(s[27], 2);
  EXPECT_EQ(s[28], 0);
}

TEST(AdpcmSource, EncoderRoundTripIsClose) {
  const auto pcm = Sine(2, 22050, 5000, 300);
  const auto file = CAdpcmEncoder::Encode(pcm, 2, 22050, 0x100);
  auto source = CSoundSource::FromMemory(file);
  ASSERT_GT(source->GetSize(), 20000u);
  const auto s = Samples(ReadAll(*source, 4096));
  ASSERT_GE(s.size(), pcm.size());
  double signal = 0, noise = 0;
  for (size_t i = 0; i < pcm.size(); ++i) {
    signal += double(pcm[i]) * pcm[i];
    noise += double(s[i] - pcm[i]) * (s[i] - pcm[i]);
  }
  EXPECT_GT(10 * std::log10(signal / noise), 25.0);
}

// Rates the device's resampler cannot carry, and channel layouts the channels do not mix, are
// refused when the source opens, so they never reach the device; the limits themselves play.
TEST(SoundSourceLimits, RatesAndChannelCountsOutsideThePlayableRangeAreRefused) {
  const uint8_t data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const auto wave = [&](uint16_t channels, uint32_t rate) {
    return CSoundSource::FromMemory(CWaveFile::Build(SWaveFormat::Pcm16(channels, rate), data, 8))->GetSize();
  };
  EXPECT_EQ(wave(1, 1000), 8u);
  EXPECT_EQ(wave(2, 384000), 8u);
  for (uint32_t rate : {0u, 999u, 384001u, 8000000u, UINT32_MAX}) EXPECT_EQ(wave(2, rate), 0u) << rate;
  for (uint16_t channels : {0, 3, 6, 0xFFFF}) EXPECT_EQ(wave(channels, 44100), 0u) << channels;

  const auto sshd = [](uint32_t rate) {
    std::vector<uint8_t> file = Sshd(2, 16, {Frame(0x0C, 1), Frame(0x0C, 1)});
    PutLe32(file, 12, rate);
    return CSoundSource::FromMemory(file)->GetSize();
  };
  EXPECT_EQ(sshd(1000), 112u);
  EXPECT_EQ(sshd(384000), 112u);
  for (uint32_t rate : {0u, 999u, 384001u, 8000000u}) EXPECT_EQ(sshd(rate), 0u) << rate;
}
