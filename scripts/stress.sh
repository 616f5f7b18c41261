#!/usr/bin/env bash
# For developers, not CI: runs each thread test program (or the programs named) N times on two
# cores, as a small CI machine would, in the ThreadSanitizer build and in the optimised build
# without sanitizers, and prints how many runs passed. The output of a failed run is kept.
# Usage: scripts/stress.sh N [PROGRAM...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/test_env.sh

runs=${1:?usage: scripts/stress.sh N [PROGRAM...]}
shift
programs=("$@")
[ ${#programs[@]} -gt 0 ] || programs=("${thread_tests[@]}")

configure_tsan
configure_release
failures=$(mktemp -d /tmp/stress.XXXXXX)
status=0
for build in build-tsan build-release; do
  cmake --build "$build" --target "${programs[@]}" >/dev/null
  for program in "${programs[@]}"; do
    binary=$(find "$build/tests" -type f -name "$program" -perm -u+x | head -n 1)
    passed=0
    for run in $(seq 1 "$runs"); do
      if taskset -c 0,1 "$binary" >"$failures/$build.$program.$run.log" 2>&1; then
        passed=$((passed + 1))
        rm "$failures/$build.$program.$run.log"
      fi
    done
    printf '%-14s %-20s %3d of %d passed\n' "$build" "$program" "$passed" "$runs"
    [ "$passed" -eq "$runs" ] || status=1
  done
done
[ "$status" -eq 0 ] && rmdir "$failures" || echo "output of the failed runs: $failures"
exit "$status"
