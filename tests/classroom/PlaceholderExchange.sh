#!/usr/bin/env bash
# Two PCs on the classroom bridge exchange their computer names on 227.1.1.6:
# each must hear the other's name.
set -euo pipefail
placeholder="$1"
source "$(dirname "$0")/../../tools/lib.sh"
kq_wine_env
tools="$KQ_ROOT/tools"

tag="kqt$$"
work="$(mktemp -d "$KQ_BUILD/classroom-test.XXXXXX")"
cleanup() {
  for pc in A1 A2; do
    WINEPREFIX="$work/$pc/prefix" wineserver -k 2>/dev/null || true
  done
  "$tools/netns" down "$tag"
  rm -rf "$work"
}
trap cleanup EXIT

"$tools/netns" up "$tag" A1 A2
for pc in A1 A2; do
  "$tools/netns" exec "$tag" "$pc" "$tools/pc" create "$work/$pc" student
done

pids=()
for pc in A1 A2; do
  "$tools/netns" exec "$tag" "$pc" "$tools/pc" run "$work/$pc" "${DISPLAY#:}" "$placeholder" \
    /exchange 'C:\heard.txt' 60 &
  pids+=($!)
done
for pid in "${pids[@]}"; do
  wait "$pid" || { echo "a PC heard nobody"; exit 1; }
done

heard_by_a1="$(tr -d '\r\n' <"$work/A1/prefix/drive_c/heard.txt")"
heard_by_a2="$(tr -d '\r\n' <"$work/A2/prefix/drive_c/heard.txt")"
echo "A1 heard '$heard_by_a1', A2 heard '$heard_by_a2'"
[ "$heard_by_a1" = A2 ] && [ "$heard_by_a2" = A1 ]
