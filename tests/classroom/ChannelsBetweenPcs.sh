#!/usr/bin/env bash
# A video channel reaches a student PC's seat on the teacher's map: T1 runs
# the channel server for classroom 3 and listens as the teacher's classroom
# socket; A1's channel receiver, started with seat 7 and the channel's name,
# hands the channel to the player and its join notice puts seat 7 into the
# watching state of channel 1 (state 10).
set -euo pipefail
bin="$1" # the Windows tree's bin folder
source "$(dirname "$0")/lib.sh"

classroom_begin kqc T1 A1
classroom_create T1 teacher A1 student

t1_c="$(classroom_drive_c T1)"
a1_c="$(classroom_drive_c A1)"
mkdir -p "$t1_c/probe"
cp "$bin/DatagramProbe.exe" "$bin/Reelcast.exe" "$t1_c/probe/"
student="$a1_c/Tutorium/Student"
mkdir -p "$student"
cp "$bin/Castview.exe" "$bin/Vidspool.exe" "$student/"
printf '[NETWORK]\r\nMainPort=6000\r\nMulti_MainIP=227.1.1.7\r\n[Ver]\r\nClassroomID=3\r\n' >"$student/student.ini"
export KQ_TRACE='C:\trace.txt'

failed=0
check() { if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi; }
until_true() { local i; for i in $(seq 120); do "$@" && return 0; sleep 0.5; done; return 1; }

classroom_run T1 "$t1_c/probe/DatagramProbe.exe" classroom 6000 227.1.4.7 90 'C:\classroom.txt' 1 &
listener=$!
until_true [ -f "$t1_c/classroom.txt.ready" ] || echo "the classroom socket never listened"
# 227.1.4.7 as the signed integer of its four bytes in memory.
classroom_run T1 "$t1_c/probe/Reelcast.exe" 117703139 3 &
until_true grep -q 'Reelcast start' "$t1_c/trace.txt" || echo "the channel server never started"

classroom_run A1 Student/Castview.exe 7 电影 &
receiver=$!
# The teacher's video channel dialog adds the channel: kind 1, name, file.
name_hex="$(printf '电影' | iconv -f UTF-8 -t GBK | od -An -tx1 | tr -d ' \n')"
command_hex="01${name_hex}$(printf '0%.0s' $(seq $(( (100 + 260) * 2 - ${#name_hex} ))))"
classroom_run T1 "$t1_c/probe/DatagramProbe.exe" send 227.1.4.7 8604 "$command_hex" || echo "the add was not sent"

wait "$listener" || true
reports="$(tr -d '\r' <"$t1_c/classroom.txt" 2>/dev/null || true)"
printf '%s\n' "$reports"
check "seat 7 watches channel 1" grep -q '^seat 7 state 10$' <<<"$reports"
receiver_ended() { ! kill -0 "$receiver" 2>/dev/null; }
check "the receiver ended after the hand-off" until_true receiver_ended
receiver_ended || kill "$receiver" 2>/dev/null || true
classroom_text A1 trace.txt | grep -q 'Vidspool channel caller=receiver origin=198.18.1.10 channel=1' ||
  { echo "FAILED: the player took the channel from T1"; failed=1; }
exit "$failed"
