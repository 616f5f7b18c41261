#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVM_TESTS=OFF
cmake --build build
# The program reads its car-maker list and key-id counter from the current folder, which is its
# own folder when it is started as a user would start it.
cd build/app
exec ./vellomardstine "$@"
