# What the Windows package tests share, sourced by each: a Wine prefix of the
# test's own in a work folder beside the package under test, removed at the
# end, and the count of failed checks.
#
#   wine_test_begin PACKAGE NAME   (sets package and work)
wine_test_begin() {
    if [ ! -f "$1" ]; then
        echo "FAIL: no $2 $1: make windows-installer makes it"
        exit 1
    fi
    package=$(realpath "$1")
    work=$(mktemp -d "$(dirname "$package")/$2_test.XXXXXX")
    export WINEPREFIX=$work/prefix WINEDEBUG=-all
    # No menu entries or file types on the host, and no Mono or Gecko to ask for.
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
    trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
    failures=0
}

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Ends the test: a summary of the failures, or the success line given.
wine_test_end() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures checks of the $1 failed"
        exit 1
    fi
    echo "$2"
}
