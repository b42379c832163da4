#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lignée. Without an argument it
# opens a copy of the example database in the user's genealogy folder.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
if [ $# -eq 0 ]; then
  dossier="$HOME/Documents/Lignée"
  mkdir -p "$dossier"
  [ -f "$dossier/exemple.mvd" ] || cp modele/exemples/exemple.mvd "$dossier/exemple.mvd"
  set -- "$dossier/exemple.mvd"
fi
exec ./build/shell/lignee "$@"
