#!/usr/bin/env bash
# File distribution between two PCs of the classroom network: the teacher PC
# sends a folder (with a sub-folder and a Chinese file name) to one student
# PC through KqTransmit.dll; it must arrive intact, and both sides' progress
# counters must reach the total.
set -euo pipefail
probe="$1"
source "$(dirname "$0")/lib.sh"

classroom_begin kqx T1 A1
classroom_create T1 teacher A1 student

source_dir="$(classroom_drive_c T1)/课件"
mkdir -p "$source_dir/第一章" "$source_dir/empty"
head -c 1500000 /dev/urandom >"$source_dir/video.bin"
head -c 70000 /dev/urandom >"$source_dir/第一章/作业.txt"
: >"$source_dir/第一章/none.txt"

classroom_run A1 "$probe" recv 'C:\report.txt' 90 &
receiver=$!
sleep 2
sender_status=0
classroom_run T1 "$probe" send 'C:\课件' 'C:\KQSENDFILES\' 1 90 || sender_status=$?
receiver_status=0
wait "$receiver" || receiver_status=$?

echo "receiver report: $(tr -d '\r' <"$(classroom_drive_c A1)/report.txt" 2>/dev/null | tr '\n' ' ')"
[ "$sender_status" = 0 ] || { echo "the sender did not finish with its counters at the total"; exit 1; }
[ "$receiver_status" = 0 ] || { echo "the receiver did not finish with its counters at the total"; exit 1; }
diff -r "$source_dir" "$(classroom_drive_c A1)/KQSENDFILES/课件"
echo "the folder arrived intact"
