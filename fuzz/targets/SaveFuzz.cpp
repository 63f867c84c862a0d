// Save loading: the bytes as a save file and as a previous-choice body applied to an engine, and the
// slot-summary and thumbnail readers.
#include "FuzzTarget.h"
#include "app/SaveFuzzTarget.h"

ZEL_FUZZ_TARGET(save) { return FuzzLoadSave(data, size); }
