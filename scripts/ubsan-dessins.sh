#!/usr/bin/env bash
# Builds the tests of the printable designs, and of the metafiles and
# pictures they show, with the undefined-behaviour sanitizer into
# build-ubsan/ and runs them: any overflow or other undefined operation stops
# the test that meets it.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-3}"
lanceur=()
if command -v ccache >/dev/null; then
  lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-ubsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLIGNEE_BENCH=OFF "${lanceur[@]}" \
  -DCMAKE_CXX_FLAGS="-fsanitize=undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=undefined" "$@"
# The designs, their metafiles and the pictures they read.
cibles=$(sed -n 's/^lignee_test(\(test_cad_[a-z_]*\|test_emf[a-z_]*\|test_images\).*/\1/p' tests/CMakeLists.txt)
# shellcheck disable=SC2086
cmake --build build-ubsan -j "$jobs" --target $cibles
export QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
echec=0
for cible in $cibles; do
  echo "== $cible"
  "build-ubsan/tests/$cible" --gtest_brief=1 || echec=1
done
exit "$echec"
