#!/bin/sh
# stop_engine.sh HOME SIGNAL COMMAND...
# Starts COMMAND (wynctl launch --wait) with its input held open, waits until
# the engine runs beside it with HOME as its home (a sandbox's bwrap is not the
# engine yet), sends SIGNAL to COMMAND
# alone, and prints the names of the processes of that HOME before and after,
# and COMMAND's exit status. Whatever is left is killed at the end.
home=$1 signal=$2
shift 2
running() {
    grep -lzx "HOME=$home" /proc/[0-9]*/environ 2>/dev/null | sed 's/environ$/comm/' |
        xargs -r cat 2>/dev/null | sort | tr '\n' ' '
}
fifo=$(mktemp -u) && mkfifo "$fifo" || exit 1
"$@" <"$fifo" >/dev/null 2>&1 &
w=$!
exec 3>"$fifo"
rm -f "$fifo"
for i in $(seq 100); do
    [ "$(running | tr ' ' '\n' | grep -cvxE 'wynctl|bwrap|flatpak|')" -ge 1 ] && break
    sleep 0.1
done
echo "before: $(running)"
kill -"$signal" $w
for i in $(seq 100); do
    kill -0 $w 2>/dev/null || break
    sleep 0.1
done
kill -KILL $w 2>/dev/null
wait $w
echo "status: $?"
sleep 1
echo "after: $(running)"
exec 3>&-
grep -lzx "HOME=$home" /proc/[0-9]*/environ 2>/dev/null | sed 's|/proc/||; s|/environ||' |
    xargs -r kill -KILL 2>/dev/null
exit 0
