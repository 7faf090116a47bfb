#!/usr/bin/env bash
# A student PC set up as ./classroom sets it up (install folder with its
# default student.ini, the seat in the backup copy) starts the real agent:
# it runs hidden, once, and the transport's test teacher on the teacher PC
# sees it log on with its seat name and address, then its hand-up and its
# request (the toolbar's commands 32771 and 32773).
set -euo pipefail
teacher_dll="$1"
teacher_host="$2"
poster="$3"
shift 3
student_files=("$@") # Student.exe, its modules and the default student.ini
source "$(dirname "$0")/lib.sh"
lesson_seconds=40

classroom_begin kqs T A1
classroom_create T teacher A1 student
cp "$teacher_dll" "$teacher_host" "$(classroom_drive_c T)/Tutorium/Teacher/"
student_folder="$(classroom_drive_c A1)/Tutorium/Student"
cp "${student_files[@]}" "$poster" "$student_folder/"
# The test teacher's classroom: main port 2002, classroom 3.
sed -i 's/^MainPort=.*/MainPort=2002/' "$student_folder/student.ini"
printf '[STUDENTNUMBER]\r\nnumber=A1\r\n[VER]\r\nClassRoomID=3\r\n' \
  >"$(classroom_drive_c A1)/Tutorium/Backup/student.ini"

export KQ_TRACE='C:\trace.txt'
classroom_run A1 Student/Student.exe >"$work/agent.log" 2>&1 &
agent=$!
# The first start of a fresh prefix is slow: wait until the agent has opened
# the transport before starting a second copy.
for _ in $(seq 60); do
  grep -q 'LecternOpen record' "$(classroom_drive_c A1)/trace.txt" 2>/dev/null && break
  sleep 1
done
# A second start ends at once and leaves the first running.
second_status=0
timeout 30 bash -c "source '$(dirname "$0")/lib.sh'; tag='$tag'; work='$work'; classroom_run A1 Student/Student.exe" ||
  second_status=$?
classroom_run T Teacher/LecternTeacherHost.exe 'C:\report.txt' "$lesson_seconds" &
teacher=$!
# The toolbar's requests go out only once the teacher has answered the log-on.
for _ in $(seq 60); do
  grep -q 'logon answered' "$(classroom_drive_c A1)/trace.txt" 2>/dev/null && break
  sleep 1
done
posted=0
classroom_run A1 Student/AgentPoster.exe 0x111 32771 0 || posted=$?
classroom_run A1 Student/AgentPoster.exe 0x111 32773 0 || posted=$?
wait "$teacher" || true

report() { classroom_text "$1" report.txt; }
trace() { classroom_text "$1" trace.txt; }
echo "--- T"
report T
echo "--- A1 trace"
trace A1 | head -40

echo "--- A1 agent output"
cat "$work/agent.log" || true
failed=0
[ "$posted" -eq 0 ] || { echo "FAILED: the toolbar commands could not be posted"; failed=1; }
[ "$second_status" -eq 0 ] || { echo "FAILED: the second start did not end by itself ($second_status)"; failed=1; }
kill -0 "$agent" 2>/dev/null || { echo "FAILED: the agent is not running"; failed=1; }
report T | grep -Eq '^logon A1 198\.18\.1\.11 ' || { echo "FAILED: the teacher did not see A1 log on"; failed=1; }
trace A1 | grep -Eq 'LecternOpen record size=332 edition=0 perhost=0 port=2002 group=227\.1\.4\.7 at24=8 seat=A1 ' ||
  { echo "FAILED: the agent did not open the transport as A1"; failed=1; }
report T | grep -Eq '^event 3 value 1$' || { echo "FAILED: the teacher did not get the hand-up"; failed=1; }
report T | grep -Eq '^event 4 value 1$' || { echo "FAILED: the teacher did not get the request"; failed=1; }
[ "$(trace A1 | grep -c 'LecternOpen record')" -eq 1 ] || { echo "FAILED: more than one agent opened"; failed=1; }
exit "$failed"
