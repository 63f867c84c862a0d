// RIFF WAVE sources.
#include "FuzzTarget.h"
#include "SoundCheck.h"
#include "audio/WaveSource.h"

ZEL_FUZZ_TARGET(wav) {
  CWaveSource source;
  ReadSoundThrough(source, data, size);
  return 0;
}
