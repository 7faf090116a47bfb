#!/usr/bin/env bash
# Two PCs on the classroom bridge exchange their computer names on 227.1.1.6:
# each must hear the other's name.
set -euo pipefail
placeholder="$1"
source "$(dirname "$0")/lib.sh"

classroom_begin kqt A1 A2
classroom_create A1 student A2 student

pids=()
for pc in A1 A2; do
  classroom_run "$pc" "$placeholder" /exchange 'C:\heard.txt' 60 &
  pids+=($!)
done
for pid in "${pids[@]}"; do
  wait "$pid" || { echo "a PC heard nobody"; exit 1; }
done

heard_by_a1="$(tr -d '\r\n' <"$(classroom_drive_c A1)/heard.txt")"
heard_by_a2="$(tr -d '\r\n' <"$(classroom_drive_c A2)/heard.txt")"
echo "A1 heard '$heard_by_a1', A2 heard '$heard_by_a2'"
[ "$heard_by_a1" = A2 ] && [ "$heard_by_a2" = A1 ]
