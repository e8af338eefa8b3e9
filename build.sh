#!/usr/bin/env bash
# Quill UI developer entry point.
#   ./build.sh gallery   build and start quill-gallery (headless: screenshot under Xvfb)
#   ./build.sh test      build everything and run the test suite headless
#   ./build.sh bench     build and run the Google Benchmark programs
#   ./build.sh asan      build and run the tests with AddressSanitizer + UBSan + LeakSanitizer
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

PACKAGES=(cmake g++ make pkg-config qtbase5-dev qtbase5-dev-tools libqt5svg5-dev
          xvfb xauth fonts-dejavu-core libbenchmark-dev)

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    echo "== installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  else
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
}

configure() {  # configure <dir> [cmake args...]
  local dir=$1; shift
  cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
}

cmd=${1:-}
case "$cmd" in
  gallery)
    ensure_packages
    configure build
    cmake --build build --target quill-gallery -j"$JOBS"
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      exec build/demo/quill-gallery "${@:2}"
    fi
    shot="$ROOT/build/gallery.png"
    echo "== no display: running the gallery under Xvfb"
    xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb \
      build/demo/quill-gallery --screenshot "$shot" "${@:2}"
    echo "== screenshot written to $shot"
    ;;
  test)
    ensure_packages
    configure build
    cmake --build build -j"$JOBS"
    cd build && ctest --output-on-failure -j"$JOBS"
    ;;
  bench)
    ensure_packages
    configure build-bench -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON \
      -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_GALLERY=OFF
    cmake --build build-bench -j"$JOBS"
    status=0
    for b in build-bench/bench/*; do
      [ -f "$b" ] && [ -x "$b" ] || continue
      echo "== $(basename "$b")"
      QT_QPA_PLATFORM=offscreen "$b" "${@:2}" || status=1
    done
    exit $status
    ;;
  asan)
    ensure_packages
    configure build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON -DQUILL_BUILD_GALLERY=OFF
    cmake --build build-asan -j"$JOBS"
    cd build-asan
    # The slow unwinder gives whole stacks through Qt, so suppressions match exactly.
    ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:strict_string_checks=1 \
      ctest --output-on-failure -j"$JOBS"
    ;;
  tsan)
    ensure_packages
    configure build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_BUILD_GALLERY=OFF \
      -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
      -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread
    cmake --build build-tsan --target tst_progress -j"$JOBS"
    cd build-tsan
    # Qt is not instrumented: races are checked in our code only, and tests/tsan.supp
    # names the Qt frames whose hand-overs ThreadSanitizer cannot see.
    TSAN_OPTIONS="suppressions=$ROOT/tests/tsan.supp:ignore_noninstrumented_modules=1:halt_on_error=1:second_deadlock_stack=1" \
      ctest --output-on-failure -R progress
    ;;
  *)
    sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
