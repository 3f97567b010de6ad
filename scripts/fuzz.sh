#!/usr/bin/env bash
# Builds the sanitizer and fuzzing build of the core and runs every fuzzer for
# SECONDS (default 600), all at once, beside a long run of the GUI soak test
# (100,000 random steps on the real windows, KALMO_SOAK_STEPS to change). New interesting inputs stay in the
# build's corpus folders; crash reproducers are saved in fuzz-findings/ at the
# top of the tree. Minimise one with
#   build-asan/bin/<name>_fuzzer -minimize_crash=1 -runs=100000 FILE
# and add it to fuzz/corpus/<name>/ with the fix, so the tests replay it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
case $seconds in
'' | *[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;;
esac

CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-asan" \
  -DKALMO_WITH_QT=OFF -DKALMO_BENCH=OFF -DKALMO_SANITIZE=ON -DKALMO_FUZZ=ON
cmake --build "$top/build-asan" -j"$(nproc)"

cmake -S "$top" -B "$top/build"
cmake --build "$top/build" -j"$(nproc)" --target app_gui_soak_test

findings="$top/fuzz-findings"
logs="$top/build-asan/fuzz-logs"
mkdir -p "$findings" "$logs"
pids=()
names=()
for fuzzer in "$top"/build-asan/bin/*_fuzzer; do
  name=$(basename "$fuzzer" _fuzzer)
  work="$top/build-asan/fuzz/corpus-$name"
  mkdir -p "$work"
  echo "fuzzing $name for $seconds s (log: $logs/$name.log)"
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$work" "$top/fuzz/corpus/$name" >"$logs/$name.log" 2>&1 &
  pids+=($!)
  names+=("$name")
done

soak_steps=${KALMO_SOAK_STEPS:-100000}
echo "GUI soak test, $soak_steps steps per run (log: $logs/gui-soak.log)"
QT_QPA_PLATFORM=offscreen KALMO_SOAK_STEPS=$soak_steps \
  "$top/build/bin/app_gui_soak_test" >"$logs/gui-soak.log" 2>&1 &
soak_pid=$!

status=0
if wait "$soak_pid"; then
  echo "gui-soak: $soak_steps steps, ok"
else
  echo "gui-soak: FAILED (see $logs/gui-soak.log)"
  status=1
fi
for i in "${!pids[@]}"; do
  name=${names[$i]}
  if wait "${pids[$i]}"; then
    result=ok
  else
    result="CRASH (see $logs/$name.log)"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$name.log" | tail -1)
  echo "$name: ${runs:-?} runs, $result"
done
if compgen -G "$findings/*" >/dev/null; then
  echo "crash reproducers in $findings:"
  ls -1 "$findings"
fi
exit $status
