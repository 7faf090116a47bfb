#!/usr/bin/env bash
# The teacher's own datagrams between two PCs of the classroom network: the
# classroom signal, Wake-on-LAN, the player commands, the multicast socket
# and the students' reports on the classroom socket. T1 is the teacher PC
# (its probe beside a student.ini naming T1's adapter), A1 a student PC.
set -euo pipefail
probe="$1"
source "$(dirname "$0")/lib.sh"

classroom_begin kqd T1 A1
classroom_create T1 teacher A1 student

t1_c="$(classroom_drive_c T1)"
a1_c="$(classroom_drive_c A1)"
mkdir -p "$t1_c/probe"
cp "$probe" "$t1_c/probe/DatagramProbe.exe"
printf '[NETADAPTER]\r\nIPADDRESS=198.18.1.10\r\n' >"$t1_c/probe/student.ini"
teacher_probe="$t1_c/probe/DatagramProbe.exe" # run as C:\probe\DatagramProbe.exe

failed=0
check() { # check DESCRIPTION COMMAND...: runs the check, reports it
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failed=1; fi
}
lines() { tr -d '\r' <"$1" 2>/dev/null || true; }

# wait_ready FILE: until the listener that writes FILE listens.
wait_ready() {
  local i
  for i in $(seq 120); do
    [ -f "$1.ready" ] && return 0
    sleep 0.5
  done
  echo "the listener of $1 never listened"
  return 1
}

# A listener on A1 starts, the sender on T1 follows once it listens, then
# the listener's file is read. The listener ends when all arrived.
listen_then() { # listen_then FILE LISTEN-ARGS... -- SEND-ARGS...
  local file="$1" listen=() send=()
  shift
  while [ "$1" != -- ]; do listen+=("$1"); shift; done
  shift
  send=("$@")
  classroom_run A1 "$probe" "${listen[@]}" &
  local listener=$!
  wait_ready "$a1_c/$file" || true
  classroom_run T1 "${send[@]}" || echo "sender ended with $?"
  wait "$listener" || echo "listener ended with $?"
}

# Classroom signal: each one ten times, sequence 1 then 2, from T1's adapter.
listen_then signal.txt listen 227.1.1.6 5999 40 'C:\signal.txt' 20 -- "$teacher_probe" signal 5 6000 227.1.1.7
signal="$(lines "$a1_c/signal.txt")"
expected="$( (for i in $(seq 10); do echo '01 05 01 00 from 198.18.1.10'; done
              for i in $(seq 10); do echo '00 05 02 00 from 198.18.1.10'; done; echo 'notices yes') )"
check "the signal arrives ten times each, sequence 1 then 2" [ "$signal" = "$expected" ]
[ "$signal" = "$expected" ] || printf '%s\n' "$signal"

# Wake-on-LAN: 16 packets of 512 bytes on UDP 18189, in row order.
listen_then wake.txt listen-port 18189 40 'C:\wake.txt' 16 -- "$teacher_probe" wake
wake="$(lines "$a1_c/wake.txt")"
expected="$(for mac in 01 02 03 04; do for i in 1 2 3 4; do
  echo "512 FF FF FF FF FF FF 00 E0 4C 00 00 $mac"; done; done)"
check "Wake-on-LAN: 16 packets in row order" [ "$wake" = "$expected" ]
[ "$wake" = "$expected" ] || printf '%s\n' "$wake"

# Player commands: five 12-byte datagrams to 8600 + classroom.
listen_then vod.txt listen 227.1.4.7 8604 40 'C:\vod.txt' 5 -- "$teacher_probe" vod 227.1.4.7 8604 /PLAY
vod="$(lines "$a1_c/vod.txt" | grep -c '^06 00 00 00 01 00 00 00 03 00 00 00 from 198.18.1.10$' || true)"
check "player command: five datagrams" [ "$vod" = 5 ]

# The multicast socket: A1's send reaches T1's member, whose window hears of it.
classroom_run T1 "$teacher_probe" listen 227.3.3.3 6123 40 'C:\mcast.txt' 1 &
listener=$!
wait_ready "$t1_c/mcast.txt" || true
classroom_run A1 "$probe" send 227.3.3.3 6123 48656C6C6F
wait "$listener" || true
mcast="$(lines "$t1_c/mcast.txt")"
check "multicast socket between PCs with its window notice" \
  [ "$mcast" = "$(printf '48 65 6C 6C 6F from 198.18.1.11\nnotices yes')" ]
[ "$mcast" = "$(printf '48 65 6C 6C 6F from 198.18.1.11\nnotices yes')" ] || printf '%s\n' "$mcast"

# Students' reports on the classroom socket (main port 6000 + 10, classroom 3).
classroom_run T1 "$teacher_probe" classroom 6000 227.1.4.7 40 'C:\classroom.txt' 7 &
listener=$!
wait_ready "$t1_c/classroom.txt" || true
classroom_run A1 "$probe" send 227.1.4.7 6010 03000701 00000701 15000701 03000700 \
  0000000000 0000000000000000 1300000000000000
wait "$listener" || true
reports="$(lines "$t1_c/classroom.txt")"
expected="$(printf '%s\n' 'adapter 198.18.1.10' 'seat 7 state 12' 'seat 7 unchanged' 'seat 7 unchanged' \
  'seat 7 state 1' dropped 'link-list request' dropped)"
check "classroom socket: join notices as seat states, requests and the rest apart" [ "$reports" = "$expected" ]
[ "$reports" = "$expected" ] || printf '%s\n' "$reports"

exit "$failed"
