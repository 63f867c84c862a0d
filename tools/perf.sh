#!/usr/bin/env bash
# Performance figures of zel in one table: the benchmark suite (ratios to the reference cases measured
# in the same run), and the real SDL player under Xvfb on the sample game's first page wait (idle CPU,
# wake-ups, resident memory, start-up times).
#   tools/perf.sh [BENCH_FILTER]
# Environment: BUILD_DIR (default build, configured with -DZEL_BENCH=ON), IDLE_SECONDS (default 5),
# RUNS (start-up runs, default 4, the median is shown).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
filter=${1:-'Frame/|Ref/|Parse/'}
idle_seconds=${IDLE_SECONDS:-5}
runs=${RUNS:-4}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- Benchmarks: each case with its time and its ratio to the reference of the same size.
"$build/zel-bench" --benchmark_filter="$filter" --benchmark_format=json --benchmark_min_time=0.2 \
  >"$work/bench.json" 2>/dev/null
python3 - "$work/bench.json" <<'EOF'
import json, sys
cases = json.load(open(sys.argv[1]))["benchmarks"]
cpu = {c["name"]: c["cpu_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0}[c["time_unit"]] for c in cases}
def reference(name):
    size = name.rsplit("/", 1)[-1]
    if name.startswith("Parse/"):
        return "Ref/memcpy/10MiB"
    if name.startswith("Frame/"):
        return "Ref/pixman_over7/" + size
    return None
print(f"{'case':44} {'cpu ms':>10} {'ratio':>8}  reference / memory")
for c in cases:
    name = c["name"]
    ref = reference(name)
    ratio = f"{cpu[name] / cpu[ref]:8.2f}" if ref in cpu else " " * 8
    extra = ref or ""
    if "peak_per_byte" in c:
        extra += f"  peak {c['peak_bytes'] / 2**20:.1f} MiB = {c['peak_per_byte']:.2f} B per source byte"
    print(f"{name:44} {cpu[name]:10.3f} {ratio}  {extra}")
EOF

# --- The real window under Xvfb on the sample's first page wait.
if ! command -v Xvfb >/dev/null; then
  echo "perf.sh: Xvfb is not installed; the player figures are left out" >&2
  exit 0
fi
game="$build/sample-game"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1

# Milliseconds since the epoch.
now_ms() { date +%s%3N; }

# CPU ticks (user + system) of a process, all threads.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Voluntary context switches of all threads: how often the player woke up.
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s}'; }

# Starts the player at the sample's first scene; sets pid, and the times (ms after launch) of the
# first traced event and of the first click wait (the first page shown whole).
start_player() {
  local trace="$work/trace.$1"
  : >"$trace"
  local t0
  t0=$(now_ms)
  DISPLAY=$display SDL_AUDIODRIVER=dummy "$build/zel" --window --save-dir "$work/saves" \
    --start 'scenario\mainScript.adv' --trace "$trace" "$game" >/dev/null 2>&1 &
  pid=$!
  first_frame=""
  first_page=""
  for _ in $(seq 1 2000); do
    [[ -z $first_frame && -s $trace ]] && first_frame=$(($(now_ms) - t0))
    if grep -q '"event":"click"' "$trace"; then
      first_page=$(($(now_ms) - t0))
      break
    fi
    sleep 0.005
  done
}

mkdir -p "$work/saves"
frames=()
pages=()
for run in $(seq 1 "$runs"); do
  start_player "$run"
  frames+=("${first_frame:-NA}")
  pages+=("${first_page:-NA}")
  if ((run < runs)); then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

# The last player stays on its first page wait: let it settle, then measure.
sleep 1
hz=$(getconf CLK_TCK)
c0=$(cpu_ticks "$pid")
w0=$(wakeups "$pid")
sleep "$idle_seconds"
c1=$(cpu_ticks "$pid")
w1=$(wakeups "$pid")
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

echo
echo "player under Xvfb, sample game, first page wait (median of $runs start-ups)"
printf '%-44s %s\n' "first traced event after launch (ms)" "$(median "${frames[@]}")"
printf '%-44s %s\n' "first page shown whole after launch (ms)" "$(median "${pages[@]}")"
awk -v c="$((c1 - c0))" -v hz="$hz" -v s="$idle_seconds" \
  'BEGIN {printf "%-44s %.2f\n", "idle CPU (% of one core)", 100 * c / hz / s}'
awk -v w="$((w1 - w0))" -v s="$idle_seconds" 'BEGIN {printf "%-44s %.1f\n", "idle wake-ups per second", w / s}'
awk -v r="$rss" 'BEGIN {printf "%-44s %.1f\n", "resident memory (MB)", r / 1024}'
