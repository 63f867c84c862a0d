// "SShd" ADPCM sources.
#include "FuzzTarget.h"
#include "SoundCheck.h"
#include "audio/AdpcmSource.h"

ZEL_FUZZ_TARGET(sshd) {
  CAdpcmSource source;
  ReadSoundThrough(source, data, size);
  return 0;
}
