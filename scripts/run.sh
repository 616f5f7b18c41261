#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVM_TESTS=OFF
cmake --build build
exec build/app/vellomardstine "$@"
