#!/usr/bin/env bash
# `vornreports print` as a user at a terminal meets it: the progress line on
# standard error, and Ctrl+C (SIGINT) that stops the print with status 130 and
# leaves nothing under the output name, nor a partial file beside it.
#
#   interrupted_print_test.sh VORNREPORTS
set -euo pipefail
vornreports=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$vornreports" sample-db "$work/t.db" --items 30000 >/dev/null
report="Vorn Item List Report"

# script(1) gives the print a terminal; its record holds what the print wrote.
script -qec "'$vornreports' print --db '$work/t.db' --report '$report' --output '$work/small.pdf' \
    --sql 'SELECT * FROM Items WHERE ItemIndex <= 100'" "$work/typescript" >/dev/null </dev/null
grep -qE $'\rPage [0-9]+ of [0-9]+ *\r' "$work/typescript" || fail "no progress line: $(cat -v "$work/typescript")"
[ -s "$work/small.pdf" ] || fail "the print on a terminal wrote nothing"

# Without job control a background job ignores SIGINT.
set -m
"$vornreports" print --db "$work/t.db" --report "$report" --output "$work/out.pdf" \
    2>"$work/err" &
pid=$!
for _ in $(seq 1200); do
    compgen -G "$work/out.pdf.partial*" >/dev/null && break
    sleep 0.05
done
compgen -G "$work/out.pdf.partial*" >/dev/null || fail "the print never began its file"
kill -INT "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 130 ] || fail "exit status $status, not 130: $(cat "$work/err")"
grep -q "cancelled" "$work/err" || fail "no word of the cancel: $(cat "$work/err")"
! compgen -G "$work/out.pdf*" >/dev/null || fail "left behind: $(ls "$work")"
[ ! -s "$work/err" ] || ! grep -q $'\r' "$work/err" || fail "a progress line off a terminal"
echo "ok"
