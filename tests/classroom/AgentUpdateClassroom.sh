#!/usr/bin/env bash
# The program update of a student agent older than the teacher, through the
# command transport: the first update the teacher announces is left
# unserved, so it fails and the agent logs on again; the second arrives with
# its SetUp.exe, which the agent runs before it ends.
set -euo pipefail
bin="$1"      # the Windows tree's bin folder
teacher="$2"  # CommandTeacher.exe
driver="$3"   # AgentDriver.exe
source "$(dirname "$0")/lib.sh"
lesson_seconds=90

classroom_begin kqu T A1
classroom_create T teacher A1 student

classroom_install_command_teacher T "$bin" "$teacher"

s_folder="$(classroom_drive_c A1)/Tutorium/Student"
classroom_install_agent A1 "$bin" A1 299 "$driver"

export KQ_TRACE='C:\trace.txt'
report() { classroom_text "$1" report.txt; }
trace() { classroom_text A1 trace.txt; }
failed=0
fail() { echo "FAILED: $1"; failed=1; }

# ---- the update: A1 is older than the teacher ----------------------------
run_update() { # seconds, extra teacher arguments...
  local seconds="$1"
  shift
  rm -f "$(classroom_drive_c A1)/trace.txt" "$(classroom_drive_c T)/report.txt" "$(classroom_drive_c T)/trace.txt"
  WINEPREFIX="$work/T/prefix" wineserver -w 2>/dev/null || true
  classroom_run A1 Student/Student.exe &
  agent=$!
  # The messages closed, as the student would.
  classroom_run A1 Student/AgentDriver.exe "$seconds" closeboxes &
  classroom_run T Teacher/CommandTeacher.exe 'C:\report.txt' "$seconds" "$@" || true
}
agent_ended() { # waits up to 30 s for the agent to end by itself
  local i
  for i in $(seq 60); do
    kill -0 "$agent" 2>/dev/null || return 0
    sleep 0.5
  done
  return 1
}

mkdir -p "$(classroom_drive_c T)/srv/UpDate"
cp "$driver" "$(classroom_drive_c T)/srv/UpDate/SetUp.exe"
# The first push is left unserved: that update fails, and the agent logs on
# again, which brings the second push.
run_update 60 'serve,C:\srv\UpDate,1'
echo "--- teacher (update)"; report T
echo "--- A1 trace (update)"; trace | grep -v '^Lectern \(deliver\|heartbeat\)' | head -40
report T | grep -q '^update push left unserved$' || fail "the first update push was left unserved"
trace | grep -q 'KqTransmit EndClientToRecvDir' || fail "the failed update ended its client"
[ "$(trace | grep -c 'LecternOpen record')" -ge 2 ] || fail "after the failed update the agent logged on again"
agent_ended || fail "the agent ended after the update"
cmp -s "$driver" "$s_folder/UpDate/SetUp.exe" || fail "the update's SetUp.exe arrived"
exit "$failed"
