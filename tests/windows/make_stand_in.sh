#!/usr/bin/env bash
# A stand-in for the deployed program folder of `make windows`, for testing the
# setup without building Qt for Windows: wyn.exe, and a wynctl.exe that answers
# --help only when the DLL beside it loads, plus a plugin folder as Qt has them.
#
#   tests/windows/make_stand_in.sh BIN_DIR
set -euo pipefail
bin=${1:?usage: $0 BIN_DIR}
cc=x86_64-w64-mingw32-gcc-posix
src=$(mktemp -d)
trap 'rm -rf "$src"' EXIT
mkdir -p "$bin/platforms"

cat >"$src/core.c" <<'C'
__declspec(dllexport) const char *stand_in_name(void) { return "wynctl stand-in"; }
C
cat >"$src/wynctl.c" <<'C'
#include <stdio.h>
#include <string.h>
const char *stand_in_name(void);
int main(int argc, char **argv) {
    if (argc == 2 && strcmp(argv[1], "--help") == 0) {
        puts(stand_in_name());
        return 0;
    }
    return 2;
}
C
cat >"$src/wyn.c" <<'C'
#include <windows.h>
int WINAPI WinMain(HINSTANCE a, HINSTANCE b, LPSTR c, int d) { (void)a; (void)b; (void)c; (void)d; return 0; }
C
$cc -shared -o "$bin/Qt6Core.dll" "$src/core.c"
cp "$bin/Qt6Core.dll" "$bin/platforms/qwindows.dll"
$cc -o "$bin/wynctl.exe" "$src/wynctl.c" "$bin/Qt6Core.dll"
$cc -mwindows -o "$bin/wyn.exe" "$src/wyn.c"
