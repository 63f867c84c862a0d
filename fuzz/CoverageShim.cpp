// Edge coverage for afl-fuzz from GCC's -fsanitize-coverage=trace-pc: every instrumented block calls
// this hook, which records the edge from the previous block in the fuzzer's shared map exactly as
// AFL's own instrumentation does (afl-compiler-rt provides the map). Debian's GCC plugin of afl++ is
// refused by the distribution's GCC build, and clang cannot compile the Shift JIS literals, so the
// compiler's own coverage hook is the portable way in.
#include <cstdint>

extern "C" uint8_t* __afl_area_ptr;

namespace {
constexpr uintptr_t kMapMask = (1u << 16) - 1;  // afl-fuzz's default map of 64 KiB
thread_local uintptr_t previousBlock = 0;
}  // namespace

extern "C" __attribute__((no_sanitize_coverage)) void __sanitizer_cov_trace_pc() {
  uintptr_t block = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
  block = ((block >> 4) ^ (block << 8)) & kMapMask;
  __afl_area_ptr[block ^ previousBlock]++;
  previousBlock = block >> 1;
}
