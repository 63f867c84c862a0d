// Scripts: parsed, run for a few frames against the fake engine, and evaluated as an expression.
#include "FuzzTarget.h"
#include "script/ScriptFuzzTarget.h"

ZEL_FUZZ_TARGET(script) { return ScriptFuzzOne(data, size); }
