#!/usr/bin/env bash
# The portable zip under Wine: it unpacks to one folder WYN-<version>/ holding the
# program folder unchanged, and wynctl.exe starts from there, wherever that is.
#
#   tests/windows/zip_test.sh ZIP BIN_DIR
set -uo pipefail
if [ $# -ne 2 ]; then
    echo "usage: $0 ZIP BIN_DIR" >&2
    exit 2
fi
. "$(dirname "$0")/wine_test.sh"
wine_test_begin "$1" zip
zip=$package
bin=$(realpath "$2")

name=$(basename "$zip" -win64.zip)
# A folder name with a space, as in "Program Files" or a user's name.
unpacked="$work/some place"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked" || { echo "FAIL: unzip $zip"; exit 1; }
top=$(ls -A "$unpacked")
[ "$top" = "$name" ] || fail "the zip holds '${top//$'\n'/ }', not the one folder $name"

folder="$unpacked/$name"
diff -r "$bin" "$folder" >/dev/null || fail "$name/ differs from $bin: $(diff -rq "$bin" "$folder" | head -3)"
timeout 120 wine "$folder/wynctl.exe" --help >/dev/null 2>&1 || fail "wynctl.exe --help fails in $name/"

wine_test_end zip "The zip unpacks to $name/ and its wynctl.exe starts."
