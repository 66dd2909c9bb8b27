# Shared by ./run and ./test: building, Wine, the prefix and the X display.
# Source it; it expects ROOT to be the repository root.

BUILD_NATIVE="$ROOT/build/native"
BUILD_WIN="$ROOT/build/win"      # the 32-bit programs, as shipped
BUILD_WIN64="$ROOT/build/win64"  # 64-bit twins, where Wine cannot run 32-bit code
JOBS=$(nproc 2>/dev/null || echo 2)

# Some kernels run 64-bit user code only, and Debian's Wine then cannot start
# a 32-bit program. The same sources are then built for x86_64 and the tests
# run those; the shipped programs stay 32-bit either way.
choose_wine() {
  local arch=${VD_TEST_ARCH:-}
  if [[ -z "$arch" ]]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then arch=i686; else arch=x86_64; fi
  fi
  TEST_ARCH=$arch
  if [[ $arch == i686 ]]; then
    WINE_BIN=/usr/lib/wine/wine
    export WINEARCH=win32
    TEST_BUILD="$BUILD_WIN"
  else
    WINE_BIN=/usr/lib/wine/wine64
    export WINEARCH=win64
    TEST_BUILD="$BUILD_WIN64"
  fi
  export WINELOADER=$WINE_BIN
  export VD_WINE=$WINE_BIN
}

cmake_windows() {
  local dir=$1 arch=$2 tests=$3
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-$arch.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE_BIN" -DVD_BUILD_TESTS="$tests" >/dev/null &&
    cmake --build "$dir" -j "$JOBS"
}

# The 32-bit programs always; the tests in the build that Wine here can run.
build_windows() {
  if [[ $TEST_ARCH == i686 ]]; then
    cmake_windows "$BUILD_WIN" i686 "$1"
  else
    cmake_windows "$BUILD_WIN" i686 OFF && cmake_windows "$BUILD_WIN64" x86_64 "$1"
  fi
}

build_native() {
  cmake -S "$ROOT" -B "$BUILD_NATIVE" -DCMAKE_BUILD_TYPE=Debug -DVD_SHIPPED_BUILD_DIR="$BUILD_WIN" >/dev/null &&
    cmake --build "$BUILD_NATIVE" -j "$JOBS"
}

BUILD_FUZZ="$ROOT/build/fuzz"
# The fuzz targets of the platform-free rules: clang's libFuzzer, natively.
build_fuzz() {
  CC=clang CXX=clang++ cmake -S "$ROOT/tests/fuzz" -B "$BUILD_FUZZ" >/dev/null &&
    cmake --build "$BUILD_FUZZ" -j "$JOBS"
}

# A prefix made once: no Gecko/Mono prompts, no crash dialog.
use_wine_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [[ ! -f "$WINEPREFIX/.vd-ready" ]]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$WINE_BIN" wineboot -i >/dev/null 2>&1
    "$WINE_BIN" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.vd-ready"
  fi
  # One server for the whole run: every process start is then cheap. The
  # prefix's own services start now, away from the output pipes of the test
  # runner, which would otherwise wait for them to close.
  wineserver -p
  "$WINE_BIN" cmd /c exit </dev/null >/dev/null 2>&1
}

XVFB_PID=""
# Uses $DISPLAY when given, else starts a private virtual display.
ensure_display() {
  if [[ -n "${DISPLAY:-}" ]]; then return 0; fi
  local n i
  for n in $(seq 90 140); do
    [[ -e "/tmp/.X$n-lock" || -e "/tmp/.X11-unix/X$n" ]] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for i in $(seq 1 50); do
      if [[ -e "/tmp/.X11-unix/X$n" ]]; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  done
  echo "could not start a virtual X display" >&2
  return 1
}

stop_session() {
  if [[ -n "${WINEPREFIX:-}" ]]; then wineserver -k 2>/dev/null || true; fi
  if [[ -n "$XVFB_PID" ]]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
