#!/usr/bin/env bash
# For developers, not CI: runs COMMAND while three writers keep the disk of this folder busy, each
# syncing every block it writes, as a CI machine shared with other builds may be. A test whose time
# is the disk's shows here.
# Usage: scripts/busy_disk.sh COMMAND [ARGS...]
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || { echo "usage: scripts/busy_disk.sh COMMAND [ARGS...]" >&2; exit 2; }

load=$(mktemp -d "$PWD/.busy-disk.XXXXXX")
writers=()
for i in 1 2 3; do
  (while :; do dd if=/dev/zero of="$load/$i" bs=256k count=64 oflag=dsync status=none; done) &
  writers+=($!)
done
trap 'kill "${writers[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$load"' EXIT
"$@"
