#!/usr/bin/env bash
# The configuration folder between two student PCs (the transport's command
# 23, handed to the test agents with its record): A1 serves its config folder
# and keeps it; A2 drops its own, fetches A1's, and ends with an equal copy.
set -euo pipefail
bin="$1"    # the Windows tree's bin folder
poster="$2" # AgentPoster.exe
source "$(dirname "$0")/lib.sh"

classroom_begin kqf A1 A2
classroom_create A1 student A2 student
classroom_install_agent A1 "$bin" A1 300 "$poster"
classroom_install_agent A2 "$bin" A2 300 "$poster"

config_of() { printf '%s/Tutorium/Student/config' "$(classroom_drive_c "$1")"; }
mkdir -p "$(config_of A1)/晨星桌面" "$(config_of A1)/layout" "$(config_of A2)"
head -c 200000 /dev/urandom >"$(config_of A1)/layout/seats.bin"
printf 'desk=1\r\n' >"$(config_of A1)/晨星桌面/课程.lnk"
printf 'stale\r\n' >"$(config_of A2)/stale.txt"
cp -r "$(config_of A1)" "$work/served"

trace() { classroom_text "$1" trace.txt; }
wait_for_trace() { # PC TEXT SECONDS
  local i
  for i in $(seq "$3"); do
    trace "$1" | grep -q "$2" && return 0
    sleep 1
  done
  return 1
}

export KQ_TRACE='C:\trace.txt'
classroom_run A1 Student/Student.exe &
classroom_run A2 Student/Student.exe &
failed=0
fail() { echo "FAILED: $1"; failed=1; }
wait_for_trace A1 'LecternOpen record' 60 || fail "A1's agent started"
wait_for_trace A2 'LecternOpen record' 60 || fail "A2's agent started"

# Command 23, wParam 23: seats 1 and 1 make A1 the source; seats 1 and 2 send
# A2 to A1 (198.18.1.10, network byte order); port 7300 (0x1c84).
classroom_run A1 Student/AgentPoster.exe record 23 0101841c00000000 || fail "the order reached A1"
wait_for_trace A1 'StartServerToSendDir' 20 || fail "A1 serves its folder"
classroom_run A2 Student/AgentPoster.exe record 23 0102841cc612010a || fail "the order reached A2"
wait_for_trace A2 'EndClientToRecvDir' 60 || fail "A2's copy ended"

echo "--- A1 trace"; trace A1 | grep -v "^Lectern deliver" | head -30
echo "--- A2 trace"; trace A2 | grep -v "^Lectern deliver" | head -30

trace A1 | grep -q 'StartServerToSendDir folder=C:\\Tutorium\\Student\\config .* port=7300' ||
  fail "A1 serves C:\\Tutorium\\Student\\config on port 7300"
trace A2 | grep -q 'StartClientToRecvDir folder=C:\\Tutorium\\Student .* address=198.18.1.10 port=7300' ||
  fail "A2 fetches into its install folder from A1"
# Both sides make the desktop folders; the source's are served with it.
mkdir -p "$work/served/晨星桌面" "$work/served/晨星程序"
diff -r "$work/served" "$(config_of A1)" || fail "A1 kept its config folder as it was"
diff -r "$work/served" "$(config_of A2)" || fail "A2's config folder is A1's"
exit "$failed"
