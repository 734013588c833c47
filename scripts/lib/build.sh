# shellcheck shell=bash
# The builds of the project (sourced by scripts/test, scripts/demo and
# scripts/release).
#   vandrel_build_native BUILD_DIR   native: logic, unit tests, host tools
#   vandrel_build_win BUILD_DIR      cross, x64: Vandrel.exe, Windows tests, test tools (BUILD_DIR/win)
#   vandrel_build_win_x86 BUILD_DIR  cross, x86: Vandrel.exe alone (BUILD_DIR/win-x86)
#   vandrel_build_program TOOLCHAIN DIR   Vandrel.exe alone for mingw32 or mingw64
# Both use Ninja with at most two jobs and stop at the first error.

VANDREL_SOURCE_DIR=${VANDREL_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
VANDREL_JOBS=${VANDREL_JOBS:-2}

vandrel_build_native() {
    cmake -S "$VANDREL_SOURCE_DIR" -B "$1/native" -G Ninja -DCMAKE_BUILD_TYPE=Release &&
        cmake --build "$1/native" -j "$VANDREL_JOBS"
}

vandrel_build_win() {
    cmake -S "$VANDREL_SOURCE_DIR" -B "$1/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$VANDREL_SOURCE_DIR/cmake/toolchain-mingw64.cmake" &&
        cmake --build "$1/win" -j "$VANDREL_JOBS"
}

vandrel_build_win_x86() { vandrel_build_program mingw32 "$1/win-x86"; }

# Vandrel.exe alone, for one processor (toolchain mingw32 or mingw64), in a
# folder of its own: DIR/bin/Vandrel.exe.
vandrel_build_program() {
    cmake -S "$VANDREL_SOURCE_DIR" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANDREL_PROGRAM_ONLY=ON \
        -DCMAKE_TOOLCHAIN_FILE="$VANDREL_SOURCE_DIR/cmake/toolchain-$1.cmake" &&
        cmake --build "$2" -j "$VANDREL_JOBS" --target Vandrel
}
