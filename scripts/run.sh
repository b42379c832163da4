#!/usr/bin/env bash
# Installs what is missing, builds the program alone (no tests, no
# benchmarks) into build-run/, and starts Lignée. Without an argument it
# opens the example database in the user's genealogy folder: the example is
# copied there once, and that copy is opened (and kept) from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLIGNEE_TESTS=OFF -DLIGNEE_BENCH=OFF
cmake --build build-run --target lignee
if [ $# -eq 0 ]; then
  dossier="$HOME/Documents/Lignée"
  mkdir -p "$dossier"
  [ -f "$dossier/exemple.mvd" ] || cp modele/exemples/exemple.mvd "$dossier/exemple.mvd"
  set -- "$dossier/exemple.mvd"
fi
exec ./build-run/shell/lignee "$@"
