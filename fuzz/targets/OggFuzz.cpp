// Ogg Vorbis sources decoded by vorbisfile from memory.
#include "FuzzTarget.h"
#include "SoundCheck.h"
#include "audio/OggSource.h"

ZEL_FUZZ_TARGET(ogg) {
  COggSource source;
  ReadSoundThrough(source, data, size);
  return 0;
}
