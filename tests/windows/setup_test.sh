#!/usr/bin/env bash
# The setup program under Wine, in a Wine prefix of its own beside the setup: a
# silent install puts the files, the Start menu entry, the .wyn association and
# the Apps entry in place, a second one over it keeps them, and the silent
# uninstall takes each away again, the program folder too, while the user's
# settings, logs, presets and own files stay. With BIN_DIR, every file of it must
# be installed unchanged.
#
#   tests/windows/setup_test.sh SETUP_EXE [BIN_DIR]
set -uo pipefail
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 SETUP_EXE [BIN_DIR]" >&2
    exit 2
fi
. "$(dirname "$0")/wine_test.sh"
wine_test_begin "$1" setup
setup=$package
bin=${2:+$(realpath "$2")}

# A Windows program that shows an error box would wait for a click forever.
win() { timeout 120 wine "$@"; }
win_var() { win cmd /c echo "%$1%" | tr -d '\r'; }
unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
# A registry value's data, or nothing; NAME empty for the key's default value.
reg_value() {
    local key=$1 name=$2
    if [ -z "$name" ]; then
        win reg query "$key" /ve 2>/dev/null
    else
        win reg query "$key" /v "$name" 2>/dev/null
    fi | tr -d '\r' | awk -F'    ' '/REG_/ { print $4; exit }'
}
key_exists() { win reg query "$1" >/dev/null 2>&1; }
expect_value() {
    local key=$1 name=$2 want=$3 got
    got=$(reg_value "$key" "$name")
    [ "$got" = "$want" ] || fail "$key ${name:-(default)} is '$got', not '$want'"
}

CLASSES='HKCU\Software\Classes'
PROG_ID=Tolvane.WYN.Preset
UNINSTALL='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\WYN'
STATE='HKCU\Software\Tolvane\WYN'

echo "Making a Wine prefix in $WINEPREFIX"
win wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot"; exit 1; }
local_app_data=$(win_var LOCALAPPDATA)
start_menu=$(unix_path "$(win_var APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs")
shortcut="$start_menu/Vantor Frontend.lnk"

# What the user had before: WYN's settings, its game log, a preset.
win reg add "$STATE" /v gameDirectory /d 'C:\Games\Quake2' /f >/dev/null
state_dir=$(unix_path "$local_app_data\\WYN")
mkdir -p "$state_dir" && echo "a game" >"$state_dir/game.log"
presets=$(unix_path 'C:\presets')
mkdir -p "$presets" && echo "map q2dm1" >"$presets/duel.wyn"

check_installed() {
    local dir_win=$1 dir
    dir=$(unix_path "$dir_win")
    for file in wyn.exe wynctl.exe wynrelay.exe uninstall.exe; do
        [ -f "$dir/$file" ] || fail "$dir_win\\$file is not installed"
    done
    if [ -n "$bin" ]; then
        while read -r file; do
            cmp -s "$bin/$file" "$dir/$file" || fail "$file is not installed as it is in $bin"
        done < <(cd "$bin" && find . -type f | sed 's|^\./||')
    fi
    # wynctl starts only when each DLL it needs came along.
    win "$dir/wynctl.exe" --help >/dev/null 2>&1 || fail "the installed wynctl.exe --help fails"

    [ -f "$shortcut" ] || fail "no Start menu entry $shortcut"
    strings -a -el "$shortcut" 2>/dev/null | grep -qiF "$dir_win\\wyn.exe" ||
        strings -a "$shortcut" | grep -qiF "$dir_win\\wyn.exe" ||
        fail "the Start menu entry does not start $dir_win\\wyn.exe"

    expect_value "$CLASSES\\.wyn" "" "$PROG_ID"
    expect_value "$CLASSES\\$PROG_ID\\shell\\open\\command" "" "\"$dir_win\\wyn.exe\" \"%1\""
    expect_value "$CLASSES\\$PROG_ID\\DefaultIcon" "" "\"$dir_win\\wyn.exe\",0"

    expect_value "$UNINSTALL" DisplayName "Vantor Frontend"
    expect_value "$UNINSTALL" Publisher "Tolvane"
    expect_value "$UNINSTALL" InstallLocation "$dir_win"
    expect_value "$UNINSTALL" QuietUninstallString "\"$dir_win\\uninstall.exe\" /S"
    [ -n "$(reg_value "$UNINSTALL" DisplayVersion)" ] || fail "no DisplayVersion"
}

# As the Apps list does it. The uninstaller copies itself to the temporary folder,
# starts the copy and returns at once: waiting for Wine's last process waits for it.
uninstall() {
    local quiet program
    quiet=$(reg_value "$UNINSTALL" QuietUninstallString)
    program=${quiet%\" /S}
    program=${program#\"}
    [ "$program" != "$quiet" ] || { fail "QuietUninstallString '$quiet' is not \"PROGRAM\" /S"; return; }
    win "$(unix_path "$program")" /S || fail "the uninstaller failed"
    wineserver -w
}

# With "notes", the user's notes.txt in the folder stays, and the folder with it;
# without, nothing of the folder is left.
check_uninstalled() {
    local dir_win=$1 notes=$2 dir left
    dir=$(unix_path "$dir_win")
    if [ "$notes" = notes ]; then
        left=$(cd "$dir" 2>/dev/null && find . -mindepth 1 ! -path ./notes.txt)
        [ -z "$left" ] || fail "left in $dir_win: ${left//$'\n'/ }"
        [ -f "$dir/notes.txt" ] || fail "the user's notes.txt in $dir_win went too"
    else
        [ ! -e "$dir" ] || fail "$dir_win is left: $(cd "$dir" && find . -mindepth 1 | tr '\n' ' ')"
    fi
    [ ! -e "$shortcut" ] || fail "the Start menu entry is left"
    ! key_exists "$CLASSES\\$PROG_ID" || fail "$CLASSES\\$PROG_ID is left"
    ! key_exists "$UNINSTALL" || fail "$UNINSTALL is left"
}

check_state_kept() {
    expect_value "$STATE" gameDirectory 'C:\Games\Quake2'
    [ -f "$state_dir/game.log" ] || fail "%LOCALAPPDATA%\\WYN\\game.log went"
    [ -f "$presets/duel.wyn" ] || fail "the preset C:\\presets\\duel.wyn went"
}

echo "Installing silently into the default folder"
default_dir="$local_app_data\\Programs\\WYN"
win "$setup" /S || fail "the setup failed"
check_installed "$default_dir"

echo "Uninstalling silently, with the news cache an earlier WYN kept beside the program"
echo "Old news" >"$(unix_path "$default_dir")/devnews.dat"
uninstall
check_uninstalled "$default_dir" gone
! key_exists "$CLASSES\\.wyn" || fail "$CLASSES\\.wyn is left while it was ours"
check_state_kept

echo "Installing twice into a folder given with /D="
chosen_dir='C:\Games\WYN'
win "$setup" /S "/D=$chosen_dir" || fail "the setup with /D= failed"
win "$setup" /S "/D=$chosen_dir" || fail "the second setup with /D= failed"
check_installed "$chosen_dir"

echo "Uninstalling after .wyn went to another program"
win reg add "$CLASSES\\.wyn" /ve /d Other.Viewer /f >/dev/null
echo "mine" >"$(unix_path "$chosen_dir")/notes.txt"
uninstall
check_uninstalled "$chosen_dir" notes
expect_value "$CLASSES\\.wyn" "" Other.Viewer
check_state_kept

wine_test_end setup "The setup installs, reinstalls and uninstalls cleanly."
