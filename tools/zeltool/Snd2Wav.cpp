// zeltool snd2wav GAME_DIR NAME OUT: a sound decoded by the engine's sources, as 16-bit PCM WAV.
#include <filesystem>
#include <fstream>

#include "ArcCommands.h"
#include "ToolCommand.h"
#include "audio/SoundSource.h"
#include "audio/WaveFile.h"

namespace {

// Why the engine's channels cannot play the decoded format, or empty when they can: they take 8-
// and 16-bit PCM, and anything else is either PCM of another depth or a compressed WAVE.
std::string UnplayableFormat(const SWaveFormat& format) {
  if (!format.IsPcm()) return "compressed WAVE (format tag " + std::to_string(format.formatTag) + ")";
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16)
    return std::to_string(format.bitsPerSample) + "-bit PCM (only 8- and 16-bit PCM play)";
  return std::string();
}

// The whole decoded sound as 16-bit samples; 8-bit PCM is widened.
void DecodeAll(CSoundSource& source, std::vector<uint8_t>& pcm16) {
  const SWaveFormat& format = source.GetFormat();
  std::vector<uint8_t> raw;
  uint8_t piece[16384];
  while (const uint32_t got = source.Read(piece, sizeof(piece))) raw.insert(raw.end(), piece, piece + got);
  if (format.bitsPerSample == 16) {
    raw.resize(raw.size() & ~size_t{1});
    pcm16 = std::move(raw);
    return;
  }
  pcm16.clear();
  for (uint8_t v : raw) {
    pcm16.push_back(0);
    pcm16.push_back(static_cast<uint8_t>(v - 128));
  }
}

int Snd2Wav(const std::vector<std::string>& args) {
  if (args.size() != 3) return ToolFail("usage: zeltool snd2wav GAME_DIR NAME OUT");
  std::string name;
  if (!ToShiftJisName(args[1], name))
    return ToolFail(args[1] + ": the name has characters without a Shift JIS form");
  // The output path is taken before the working directory moves to the game folder.
  std::error_code error;
  const std::filesystem::path out = std::filesystem::absolute(args[2], error);
  if (!LoadGameSettings(args[0])) return 1;
  auto source = CSoundSource::FromFile(name);
  if (!source) return ToolFail(args[1] + ": not found");
  if (source->GetSize() == 0) return ToolFail(args[1] + ": not a playable sound");
  if (const std::string why = UnplayableFormat(source->GetFormat()); !why.empty())
    return ToolFail(args[1] + ": " + why);
  std::vector<uint8_t> pcm;
  DecodeAll(*source, pcm);
  SWaveFormat format = SWaveFormat::Pcm16(source->GetFormat().channels, source->GetFormat().samplesPerSecond);
  const std::vector<uint8_t> wav = CWaveFile::Build(format, pcm.data(), pcm.size());
  std::ofstream file(out, std::ios::binary);
  file.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
  file.close();
  return file ? 0 : ToolFail(args[2] + ": cannot write");
}

const CToolCommand kSnd2Wav("snd2wav", "snd2wav GAME_DIR NAME OUT",
                            "decode a WAVE, Ogg Vorbis or SShd sound of the game into a 16-bit PCM WAV",
                            Snd2Wav);

}  // namespace
