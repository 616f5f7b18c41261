#!/usr/bin/env bash
# Lets the user at the seat open the machine's USB converter: installs the udev rule and has
# udev read it. Needs root; VM_INSTALL_ROOT installs under another root folder instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root="${VM_INSTALL_ROOT:-}"
rule=70-vellomardstine.rules
install -D -m 0644 "packaging/udev/$rule" "$root/etc/udev/rules.d/$rule"
# Without a running udev (a container) the rule waits for the next boot; that is no failure.
if [ -z "$root" ] && command -v udevadm >/dev/null; then
  { udevadm control --reload-rules &&
    udevadm trigger --subsystem-match=usb --attr-match=idVendor=0403; } 2>/dev/null || true
fi
