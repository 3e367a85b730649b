#!/usr/bin/env bash
# wynctl.exe launch --wait with a real Windows engine under Wine: Q2PRO's dedicated
# server (scripts/build-q2pro-windows) in a game directory whose path is not ASCII and
# holds an apostrophe and a space. Its console holds the session's settings, as the
# Linux engine tests check. Q2PRO's console under Wine reads no pipe, so the preset
# names a script of the player's, probe.cfg, which wyn.cfg runs after the map: it
# prints the values and quits. wynctl.exe's exit code is the engine's.
#
#   tests/windows/q2pro_launch_test.sh BUILD_WINDOWS_DIR Q2PRO_DIR
set -uo pipefail
if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_WINDOWS_DIR Q2PRO_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
wynctl=$1/bin/wynctl.exe
engine=$2/q2proded.exe
library=$2/baseq2/gamex86_64.dll
for file in "$wynctl" "$engine" "$library"; do
    [ -f "$file" ] || { echo "FAIL: $file is missing"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/q2pro_launch_test.XXXXXX")
game="$work/Jörg's Spiele/Quake II"
# What outlives a timed-out wynctl.exe: the engine and Wine's console host it made,
# known by their working directory, this test's game directory. An engine left running
# would hold the server port for the next test.
stop_engine() {
    local process
    for process in /proc/[0-9]*; do
        if [ "$(readlink "$process/cwd" 2>/dev/null)" = "$game" ]; then
            kill "${process#/proc/}" 2>/dev/null
        fi
    done
}
export WINEDEBUG=-all
# No menu entries or file types on the host, and no Mono or Gecko to ask for.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# The prefix is the test run's (WINEPREFIX), made before.
trap 'stop_engine; rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The game directory: the engine, its base game, and the add-on's folder with the
# base game's library standing in for the add-on's, as WYN requires one there.
mkdir -p "$game/baseq2/maps" "$game/vantor"
cp "$engine" "$game/"
cp "$library" "$game/baseq2/"
cp "$library" "$game/vantor/"
python3 "$here/tiny_map.py" >"$game/baseq2/maps/q2dm1.bsp" || { echo "FAIL: tiny_map.py"; exit 1; }
printf '[bots]\r\n"Vex" "male/grunt" 3 3 3 5 0 0 100\r\n' >"$game/vantor/bots.cfg"
# shellcheck disable=SC2016  # $fraglimit is for the engine's console to expand
printf 'echo probe fraglimit=$fraglimit maxclients=$maxclients\r\nquit\r\n' >"$game/baseq2/probe.cfg"
# An older script where the engine reads first: WYN writes over it.
printf 'set fraglimit 98\r\n' >"$game/vantor/wyn.cfg"

# The preset: a dedicated server, Vex against the player on q2dm1, frag limit 20,
# 8 clients, and the script probe.cfg.
preset=()
for ((i = 0; i < 63; i++)); do preset[i]=0; done
preset[2]=q2dm1 preset[6]=1 preset[7]=probe preset[10]=1 preset[11]=8 preset[13]=1
preset[15]=20 preset[17]=1 preset[46]=1 preset[56]=Vex preset[59]=External
printf '%s\r\n' "${preset[@]}" >"$work/server.wyn"

# WYN knows the engine from its bytes.
engine=$(timeout 60 wine "$wynctl" --settings "$(winepath -w "$work")\\settings.ini" \
    --game-dir "$(winepath -w "$game")" --exe q2proded.exe where 2>&1 | head -1 | tr -d '\r')
[ "$engine" = "$(printf 'engine\tQ2PRO')" ] || fail "wynctl.exe where says '$engine', not Q2PRO"

# Started from elsewhere: the engine finds ./vantor only in the working directory WYN gives it.
cd "$work" || exit 1
started=$(date +%s)
# Into a file, not a pipe: an engine that outlives wynctl.exe would hold a pipe open.
timeout 60 wine "$wynctl" --settings "$(winepath -w "$work")\\settings.ini" \
    --game-dir "$(winepath -w "$game")" --exe q2proded.exe \
    launch --wait "$(winepath -w "$work/server.wyn")" >"$work/output" 2>&1
status=$?
seconds=$(($(date +%s) - started))
stop_engine
output=$(<"$work/output")

holds() {
    grep -qF -- "$1" <<<"$output"
}
if [ $status -eq 124 ]; then
    fail "wynctl.exe did not end within 60 s: the engine never reached probe.cfg's quit"
elif [ $status -ne 0 ]; then
    fail "wynctl.exe exited with $status, not the engine's 0 after quit"
fi
holds 'Execing wyn.cfg' || fail "the engine did not run wyn.cfg"
holds 'Loaded game library from .\vantor\gamex86_64.dll' ||
    fail "the engine did not load vantor\\gamex86_64.dll: no +set game vantor, or not started in the game directory"
holds 'SpawnServer: q2dm1' || fail "the engine did not start the preset's map q2dm1"
holds 'Execing probe.cfg' || fail "wyn.cfg did not run the preset's script probe.cfg"
# 98 would be the older wyn.cfg's.
probe=$(grep -o 'probe fraglimit=.*' <<<"$output" | tr -d '\r')
[ "$probe" = "probe fraglimit=20 maxclients=8" ] ||
    fail "the engine's console says '$probe', not fraglimit=20 maxclients=8"

if [ $failures -ne 0 ]; then
    echo "$failures checks of the Windows engine's launch failed; wynctl.exe and the engine said:"
    echo "$output"
    exit 1
fi
echo "Q2PRO for Windows ran the session's settings: $probe (${seconds} s)"
