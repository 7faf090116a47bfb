#!/usr/bin/env bash
# How ./classroom seats its students (tools/seats): on the seat map's own
# names, in the order the teacher numbers the seats, and never more students
# than the map has seats.
set -uo pipefail
defaults="$1" # the teacher's default files (Teacher.ini in code page 936)
here="$(cd "$(dirname "$0")" && pwd)"
seats="$here/../../tools/seats"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A small map of our own: numbered out of file order, a seat named in Chinese,
# a gap in the numbers, and a line beyond the seat count.
printf '%s\r\n' '[Ver]' 'VersionID=770' '[SEAT]' 'SeatCount=4' 'ColumnCount=2' 'RowCount=2' \
  '2=B1,1,0,0,' '1=A1,0,0,0,' '4=讲台 1,1,1,0,' '5=Z9,0,2,0,' '[Other]' '6=NotASeat,0,0,0,' |
  iconv -f UTF-8 -t CP936 >"$work/small.ini"

failed=0
# check WHAT STATUS EXPECTED INI N: tools/seats INI N ends with STATUS and
# prints EXPECTED (its lines joined by "|"; for a refusal, a part of the message).
check() {
  local what="$1" status="$2" expected="$3" got code=0
  got="$("$seats" "$4" "$5" 2>&1)" || code=$?
  got="$(tr '\n' '|' <<<"$got")"
  got="${got%|}"
  if [ "$code" != "$status" ] || { [ "$status" = 0 ] && [ "$got" != "$expected" ]; } ||
    { [ "$status" != 0 ] && [[ "$got" != *"$expected"* ]]; }; then
    echo "FAILED: $what: status $code, got \"$got\", want $status and \"$expected\""
    failed=1
  else
    echo "ok   $what"
  fi
}

shipped="$defaults/Teacher.ini"
check "the shipped map seats by row, as the teacher numbers them" 0 \
  "A1 A1|B1 B1|C1 C1|D1 D1|E1 E1|F1 F1|A2 A2|B2 B2" "$shipped" 8
all="$("$seats" "$shipped" 40)"
if [ "$(tail -1 <<<"$all")" = "D7 D7" ] && [ "$(cut -d' ' -f1 <<<"$all" | sort -u | wc -l)" = 40 ]; then
  echo "ok   the shipped map seats 40 PCs of their own, the last at D7"
else
  echo "FAILED: the shipped map's 40 seats: $(tr '\n' ' ' <<<"$all")"
  failed=1
fi
check "one student more than the shipped map's seats is refused" 1 "has 40 seats: start at most 40 students" \
  "$shipped" 41
check "no students is refused" 2 "must be 1 or more" "$shipped" 0
check "a count that is not a number is refused" 2 "must be 1 or more" "$shipped" x
check "a missing map is refused" 1 "cannot be read" "$work/none.ini" 1
check "seat numbers, not file order; a name that cannot be a host name" 0 "A1 A1|B1 B1|S4 讲台 1" "$work/small.ini" 3
check "seats beyond the seat count and outside [SEAT] do not count" 1 "has 3 seats" "$work/small.ini" 4
exit "$failed"
