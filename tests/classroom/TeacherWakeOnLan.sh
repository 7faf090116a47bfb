#!/usr/bin/env bash
# Teacher.exe's power-on button between PCs: on a 3 x 2 seat map with four
# adapter addresses, command 513 answered Yes sends A1's network card 16
# magic packets in row order; answered No it sends nothing. Teacher.exe
# opens its sockets on the adapter its student.ini names.
set -euo pipefail
bin="$1"       # the Windows tree's bin folder
defaults="$2"  # the teacher's default files
probe="$3"
source "$(dirname "$0")/lib.sh"

classroom_begin kqw T A1
classroom_create T teacher A1 student
teacher="$(classroom_drive_c T)/Tutorium/Teacher"
classroom_install_teacher T "$bin" "$defaults"
a1_c="$(classroom_drive_c A1)"

# Four seats with adapter addresses on a 3 x 2 map; one hand-edited address
# of 11 digits sends nothing.
ini="$teacher/Teacher.ini"
sed -i -e '/^\[SEAT\]/,/^\[/{/^\[SEAT\]/!{/^\[/!d}}' "$ini"
sed -i -e '/^\[SEAT\]/a SeatCount=5\nColumnCount=3\nRowCount=2\n1=A1,0,0,0,00e04c000001\n2=C1,2,0,0,00e04c000002\n3=A2,0,1,0,00e04c000003\n4=B2,1,1,0,00e04c00009\n5=C2,2,1,0,00e04c000004' "$ini"
# The teacher's sockets on its adapter; the environment check's limits in
# the same file stay as installed.
sed -i 's/^IPADDRESS=.*/IPADDRESS=198.18.1.10/' "$teacher/student.ini"

classroom_run T Teacher/Teacher.exe &
teacher_pid=$!

failed=0
lines() { tr -d '\r' <"$1" 2>/dev/null || true; }
wait_ready() {
  local i
  for i in $(seq 120); do [ -f "$1.ready" ] && return 0; sleep 0.5; done
  echo "the listener of $1 never listened"; return 1
}

classroom_run A1 "$probe" listen-port 18189 60 'C:\yes.txt' 16 &
listener=$!
wait_ready "$a1_c/yes.txt" || true
classroom_run T "$probe" teacher-command 513 yes || { echo "FAILED: no question from Teacher.exe"; failed=1; }
wait "$listener" || true
expected="$(for mac in 01 02 03 04; do for i in 1 2 3 4; do
  echo "512 FF FF FF FF FF FF 00 E0 4C 00 00 $mac"; done; done)"
if [ "$(lines "$a1_c/yes.txt")" = "$expected" ]; then echo "ok: Yes wakes four adapters, four packets each, row by row"
else echo "FAILED: Yes"; lines "$a1_c/yes.txt"; failed=1; fi

classroom_run A1 "$probe" listen-port 18189 8 'C:\no.txt' 1 &
listener=$!
wait_ready "$a1_c/no.txt" || true
classroom_run T "$probe" teacher-command 513 no || { echo "FAILED: no question from Teacher.exe"; failed=1; }
wait "$listener" || true
if [ -f "$a1_c/no.txt" ] && [ -z "$(lines "$a1_c/no.txt")" ]; then echo "ok: No sends nothing"
else echo "FAILED: No"; lines "$a1_c/no.txt"; failed=1; fi

classroom_run T "$probe" teacher-close || true
wait "$teacher_pid" || true
exit "$failed"
