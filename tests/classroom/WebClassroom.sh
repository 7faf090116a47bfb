#!/usr/bin/env bash
# Web access control and restrictions with the real programs: Teacher.exe on
# the teacher PC T with the real transport, a test student host that takes
# restriction switches on A2, and the student agent on A1.
# - The restrictions (642, OK) reach A2 as command 4 with the 28 pairs.
# - 320 points A1's browser at the teacher's proxy (its address and the
#   share port) and A1's link list shows the teacher's sites; a delete in
#   the teacher's web site list empties A1's list, and A1's Refresh brings
#   the new one; 320 again closes A1's link list.
# - A1's agent reported at log-on that it ignores switches: 642 now refuses.
set -euo pipefail
bin="$1"          # the Windows tree's bin folder
defaults="$2"     # the teacher's default files
student_ini="$3"  # the student's default student.ini
source "$(dirname "$0")/lib.sh"
patience=90       # seconds for each phase
lesson_seconds=300

classroom_begin kqw T A1 A2
classroom_create T teacher A1 student A2 student

# The teacher PC, classroom 3, with two sites in its web site file.
teacher_dir="$(classroom_drive_c T)/Tutorium/Teacher"
for module in Teacher.exe resource.dll KqCheck.dll dsetup.dll Quizhall.dll KqTransmit.dll KqVideoS.dll Proxyward.dll \
  WebDriver.exe; do
  cp "$bin/$module" "$teacher_dir/"
done
cp "$bin/teacher-lectern/Lectern.dll" "$teacher_dir/"
cp -r "$bin/help" "$teacher_dir/"
cp -r "$defaults/." "$teacher_dir/"
sed -i 's/^ClassroomID=.*/ClassroomID=3/' "$teacher_dir/Teacher.ini"
# The students are older than the teacher: their log-ons ask for the update.
mkdir -p "$teacher_dir/Update"
echo update >"$teacher_dir/Update/readme.txt"
mkdir -p "$(classroom_drive_c T)/Web"
echo '<html>news</html>' >"$(classroom_drive_c T)/Web/news.htm"
echo '<html>maths</html>' >"$(classroom_drive_c T)/Web/maths.htm"
printf '[WebName]\r\n新闻=C:\\Web\\news.htm\r\nMaths=C:\\Web\\maths.htm\r\n' | iconv -f UTF-8 -t GBK \
  >"$teacher_dir/WebSites.ini"
teacher_value() { sed -n "s/^$1=\([0-9]*\).*/\1/p" "$teacher_dir/Teacher.ini" | head -1; }
main_port="$(teacher_value MainPort)"
version="$(teacher_value VersionID)"

# A1: the agent as new as the teacher, seated A1 in classroom 3.
student_dir="$(classroom_drive_c A1)/Tutorium/Student"
for module in Student.exe Satchel.dll KqDesk.dll Quizhall.dll KqTransmit.dll KqCheck.dll AgentDriver.exe; do
  cp "$bin/$module" "$student_dir/"
done
cp "$bin/student-lectern/Lectern.dll" "$student_dir/"
cp "$student_ini" "$student_dir/student.ini"
sed -i -e "s/^MainPort=.*/MainPort=$main_port/" -e "s/^VersionID=.*/VersionID=$version/" "$student_dir/student.ini"
printf '[STUDENTNUMBER]\r\nnumber=A1\r\n[VER]\r\nClassRoomID=3\r\n' \
  >"$(classroom_drive_c A1)/Tutorium/Backup/student.ini"

# A2: the transport's test student host, which takes every switch.
cp "$bin/student-lectern/Lectern.dll" "$bin/LecternStudentHost.exe" "$(classroom_drive_c A2)/Tutorium/Student/"

failed=0
fail() { echo "FAILED: $*"; failed=1; }
report() { classroom_text "$1" "$2"; }
show() {
  echo "--- teacher driver"; report T driver.txt
  echo "--- A2"; report A2 report.txt
  echo "--- teacher trace"; report T trace.txt | grep -E '^Lectern (logon|LecternSendCommand|event 9)|^Proxyward' || true
}
teacher() { classroom_run T Teacher/WebDriver.exe 'C:\trace.txt' 'C:\driver.txt' "$patience" "$@"; }
agent() { classroom_run A1 Student/AgentDriver.exe "$patience" "$@"; }
give_up() {
  fail "$1"
  show
  exit 1
}

export KQ_TRACE='C:\trace.txt'
classroom_run T Teacher/Teacher.exe >/dev/null 2>&1 &
classroom_run A2 Student/LecternStudentHost.exe 'C:\report.txt' "$lesson_seconds" stay >/dev/null 2>&1 &

# The restrictions, while only the host that takes them is on line.
teacher 'wait,logon A2 from' command,642 restrict || give_up "the restrictions were not sent"
pairs="$(for i in $(seq 0 27); do printf ' %d:0' "$i"; done)"
until_pairs() {
  local end=$((SECONDS + patience))
  until report A2 report.txt | grep -q "^cmd 4 switches 28$pairs\$"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.5
  done
}
until_pairs || fail "A2 did not report command 4 with the 28 pairs"
report T driver.txt | grep -q '^box 使用限制设置已保存' || fail "OK did not show that the settings were stored"

# The agent on A1 logs on and says it ignores switches.
classroom_run A1 Student/Student.exe >/dev/null 2>&1 &
teacher 'wait,logon A1 from' 'wait,event 9 ' command,320 sites || give_up "the web site list did not open"
report T driver.txt | grep -q '^sites 新闻|Maths$' || fail "the web site list shows the file's sites"
agent 'links,新闻|Maths' || fail "A1's link list did not show the teacher's sites"
proxy="$(WINEPREFIX="$work/A1/prefix" wine reg query \
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings' /v ProxyServer 2>/dev/null | tr -d '\r' || true)"
echo "$proxy" | grep -q '198\.18\.1\.10:8080' || fail "A1's proxy is not the teacher's: $proxy"

# A delete empties A1's list; A1's Refresh asks for the new one.
teacher delete,0 || fail "the delete could not be made"
agent 'links,' || fail "A1's link list was not emptied by the delete"
agent refresh 'links,Maths' || fail "A1's Refresh did not bring the new list"
grep -q '新闻' <(iconv -f GBK -t UTF-8 "$teacher_dir/WebSites.ini") && fail "the deleted site is still in the file"

# 320 again stops the sharing and closes A1's link list.
teacher closesites command,320 || fail "the web site list did not close"
agent linksgone || fail "A1's link list stayed open"

# A student that ignores switches is on line: 642 refuses.
teacher command,642 box quit || fail "642 showed no box"
report T driver.txt | grep -q '^box 有学生机不接受使用限制' || fail "642 did not refuse while A1 ignores switches"

show
exit "$failed"
