#!/usr/bin/env bash
# Teacher.exe with two student PCs on the student side of the transport: both
# log on (A1 seat 1, A2 seat 7) and get the hand-up permission; homework
# collected from A2 alone reaches only A2; after a refresh both log on again
# and the replies carry the homework file server and its port. The ring
# file is missing: the log-ons are silent and nothing fails.
set -euo pipefail
bin="$1"       # the Windows tree's bin folder
defaults="$2"  # the teacher's default files
driver="$3"
student_dll="$4"
student_host="$5"
source "$(dirname "$0")/lib.sh"
lesson_seconds=90

classroom_begin kqt T A1 A2
classroom_create T teacher A1 student A2 student
teacher="$(classroom_drive_c T)/Tutorium/Teacher"
classroom_install_teacher T "$bin" "$defaults" "$driver"
classroom_teacher_meets_test_hosts T
classroom_install_test_hosts "$student_dll" "$student_host" A1 A2

status=0
classroom_teacher_lesson TeacherDriver.exe "$lesson_seconds" A1 A2 || status=$?

report() { classroom_text "$1" "$2"; }
echo "--- driver"; report T driver.txt
for pc in A1 A2; do echo "--- $pc"; report "$pc" report.txt; done
echo "--- teacher trace"; report T trace.txt | grep -E '^Lectern (logon|LecternSendCommand)|^KqTransmit' || true

check() { classroom_expect "$@"; }
[ "$status" -eq 0 ] || { echo "FAILED: the driver ended with $status"; classroom_failed=1; }
check yes T trace.txt '^Lectern logon A1 from 198\.18\.1\.11: 1$' "A1 logged on at seat 1"
check yes T trace.txt '^Lectern logon A2 from 198\.18\.1\.12: 7$' "A2 logged on at seat 7"
check yes A1 report.txt '^cmd 25 0 1$' "A1's reply carries the hand-up permission"
check yes A2 report.txt '^cmd 25 0 1$' "A2's reply carries the hand-up permission"
check yes T trace.txt '^Lectern LecternSendCommand code=20 targets=1 ' "homework goes to one seat"
check yes A2 report.txt '^cmd 8 ' "the homework collection reaches A2"
check no A1 report.txt '^cmd 8 ' "the homework collection must not reach A1"
check yes T driver.txt '^box .*C:\\Homework\\$' "the box names the folder with one backslash"
check yes A1 report.txt '^cmd 21 1 port [1-9][0-9]* address 198\.18\.1\.10$' "A1's new reply names the file server"
check yes A2 report.txt '^cmd 21 1 port [1-9][0-9]* address 198\.18\.1\.10$' "A2's new reply names the file server"
check no T driver.txt '^box .*升级' "the update folder is served without a warning"
check yes T driver.txt '^done$' "the driver ran to its end"
exit "$classroom_failed"
