#!/usr/bin/env bash
# File distribution between two PCs of the classroom network: the teacher PC
# sends a folder (with a sub-folder and a Chinese file name) to one student
# PC through KqTransmit.dll; it must arrive intact, and both sides' progress
# counters must reach the total.
set -euo pipefail
probe="$1"
source "$(dirname "$0")/../../tools/lib.sh"
kq_wine_env
tools="$KQ_ROOT/tools"

tag="kqx$$"
work="$(mktemp -d "$KQ_BUILD/classroom-test.XXXXXX")"
cleanup() {
  for pc in T1 A1; do
    WINEPREFIX="$work/$pc/prefix" wineserver -k 2>/dev/null || true
  done
  "$tools/netns" down "$tag"
  rm -rf "$work"
}
trap cleanup EXIT

"$tools/netns" up "$tag" T1 A1
"$tools/netns" exec "$tag" T1 "$tools/pc" create "$work/T1" teacher
"$tools/netns" exec "$tag" A1 "$tools/pc" create "$work/A1" student

source_dir="$work/T1/prefix/drive_c/课件"
mkdir -p "$source_dir/第一章" "$source_dir/empty"
head -c 1500000 /dev/urandom >"$source_dir/video.bin"
head -c 70000 /dev/urandom >"$source_dir/第一章/作业.txt"
: >"$source_dir/第一章/none.txt"

"$tools/netns" exec "$tag" A1 "$tools/pc" run "$work/A1" "${DISPLAY#:}" "$probe" recv 'C:\report.txt' 90 &
receiver=$!
sleep 2
sender_status=0
"$tools/netns" exec "$tag" T1 "$tools/pc" run "$work/T1" "${DISPLAY#:}" "$probe" \
  send 'C:\课件' 'C:\KQSENDFILES\' 1 90 || sender_status=$?
receiver_status=0
wait "$receiver" || receiver_status=$?

echo "receiver report: $(tr -d '\r' <"$work/A1/prefix/drive_c/report.txt" 2>/dev/null | tr '\n' ' ')"
[ "$sender_status" = 0 ] || { echo "the sender did not finish with its counters at the total"; exit 1; }
[ "$receiver_status" = 0 ] || { echo "the receiver did not finish with its counters at the total"; exit 1; }
diff -r "$source_dir" "$work/A1/prefix/drive_c/KQSENDFILES/课件"
echo "the folder arrived intact"
