#include "script/ScriptCommandList.h"

#include <atomic>

namespace {
std::atomic<uint64_t> nextSerial{1};
}

CScriptCommandList::CScriptCommandList() : serial(nextSerial++) {}
