#!/usr/bin/env bash
# The udev rule grants the seat's user the machine's converter, and the install step puts it
# where udev reads it.
set -euo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
rule="$repo/packaging/udev/70-vellomardstine.rules"
grep -Eq '^[^#]*ATTRS?\{idVendor\}=="0403".*TAG\+="uaccess"' "$rule"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
VM_INSTALL_ROOT="$root" bash "$repo/scripts/install-udev-rule.sh"
cmp "$rule" "$root/etc/udev/rules.d/70-vellomardstine.rules"
echo "udev rule: installed"
