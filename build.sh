#!/usr/bin/env bash
# Quill UI developer entry point.
#   ./build.sh gallery            build and start quill-gallery (headless: screenshot under Xvfb)
#   ./build.sh test               build everything and run the test suite headless
#   ./build.sh bench              build and run the Google Benchmark programs
#   ./build.sh asan               build and run the tests with AddressSanitizer + UBSan + LeakSanitizer
#   ./build.sh stress [SECONDS]   the randomized workspace test under the sanitizers (default 600 s)
#   ./build.sh tsan               the progress tests under ThreadSanitizer
# QUILL_WERROR=ON (or OFF) in the environment turns compiler warnings into errors (CI
# does) or back; the build directory keeps the last choice.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# What each command needs beyond a compiler, CMake and Qt.
BASE=(cmake g++ make qtbase5-dev qtbase5-dev-tools python3-dev)  # python3-dev: the Python bridge
FONTS=(fonts-dejavu-core)          # widgets measure and paint text
XVFB=(xvfb xauth)
TEST_PACKAGES=("${FONTS[@]}")
# Only a test registered with XVFB (tests/CMakeLists.txt) needs an X server.
if grep -rqsw --include=CMakeLists.txt XVFB "$ROOT"/tests/*/; then
  TEST_PACKAGES+=("${XVFB[@]}")
fi

ensure_packages() {  # ensure_packages <package...>
  local missing=()
  for p in "${BASE[@]}" "$@"; do
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
  cmake -S "$ROOT" -B "$dir" ${QUILL_WERROR:+-DQUILL_WERROR="$QUILL_WERROR"} "$@" >/dev/null
}

build_asan() {
  ensure_packages "${TEST_PACKAGES[@]}"
  configure build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON -DQUILL_BUILD_GALLERY=OFF
  cmake --build build-asan -j"$JOBS"
}

# The slow unwinder gives whole stacks through Qt, so suppressions match exactly.
SANITIZER_ENV=(
  ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:strict_string_checks=1
  LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp:print_suppressions=0
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
)

cmd=${1:-}
case "$cmd" in
  gallery)
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      ensure_packages "${FONTS[@]}"
    else
      ensure_packages "${FONTS[@]}" "${XVFB[@]}"
    fi
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
    # pkg-config: the install test also builds a program the pkg-config way.
    ensure_packages "${TEST_PACKAGES[@]}" pkg-config
    configure build
    cmake --build build -j"$JOBS"
    cd build && ctest --output-on-failure -j"$JOBS"
    ;;
  bench)
    ensure_packages "${FONTS[@]}" libbenchmark-dev
    configure build-bench -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=ON \
      -DBUILD_TESTING=OFF -DQUILL_BUILD_GALLERY=OFF
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
    build_asan
    cd build-asan
    env "${SANITIZER_ENV[@]}" ctest --output-on-failure -j"$JOBS"
    ;;
  stress)
    seconds=${2:-600}
    if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
      echo "build.sh stress: SECONDS must be a positive whole number, not \"$seconds\"" >&2
      exit 2
    fi
    build_asan
    exe=build-asan/tests/docking/tst_dockrandom
    if [ ! -x "$exe" ]; then
      echo "build.sh stress: $exe was not built: the randomized workspace test" \
           "(tests/docking/, target tst_dockrandom) is missing" >&2
      exit 1
    fi
    echo "== $exe for $seconds s (failing seeds are printed)"
    # Qt Test stops a test function after 5 minutes unless told otherwise.
    env "${SANITIZER_ENV[@]}" QUILL_RANDOM_SECONDS="$seconds" \
      QTEST_FUNCTION_TIMEOUT=$(( (seconds + 300) * 1000 )) \
      QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false' "$exe"
    ;;
  tsan)
    ensure_packages "${TEST_PACKAGES[@]}"
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
    sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
