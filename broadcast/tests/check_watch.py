#!/usr/bin/env python3
"""Checks the watch requests of a teacher monitoring one station at a time,
as the listener recorded them, against the teacher host's log, in which a
"clock" line comes just before the mode's start and one just after.

  check_watch.py WIRE_LOG TEACHER_LOG FIRST_ID ABSENT_ID

The monitored ids are FIRST_ID (a student that answers) and ABSENT_ID (no
station), cycling on. Expected: the first request 500 ms after the mode
starts, for FIRST_ID; the absent station asked again 5 s after its request
went unanswered; the requests cycling FIRST_ID, ABSENT_ID, FIRST_ID."""
import sys

FIRST_AT_MS = 500             # after the viewer opened, while the mode's export ran
LATE_MS = 1000                 # what a busy machine may add to a timer
EARLY_MS = 20                  # the timers' granularity
REPEAT_MS = (5000 - EARLY_MS, 5000 + LATE_MS)


def main():
    wire, teacher, first_id, absent_id = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    before = after = None
    clock = None
    for line in open(teacher):
        text = line.rstrip("\r\n")
        if text.startswith("clock "):
            clock = float(text.split()[1])
            if before is not None:
                after = clock
                break
        elif text.startswith("DoTeacherMonitor = 0"):
            before = clock
    requests = []
    for line in open(wire):
        words = line.split()
        if len(words) > 3 and words[1] == "watch" and words[2] == "from=0":
            requests.append((float(words[0]), int(words[3].split("=")[1])))
    failures = []
    if before is None or after is None or not requests:
        print("FAIL no monitoring mode between two clock lines, or no watch request")
        return 1

    at, first = requests[0]
    timely = before + FIRST_AT_MS - EARLY_MS <= at <= after + FIRST_AT_MS + LATE_MS
    what = f"the first request asks for {first} {at - before:.0f} ms after the mode's start began"
    if first != first_id or not timely:
        failures.append(what + f" (the start took {after - before:.0f} ms)")
    else:
        print("ok   " + what)

    absent = [t for t, i in requests if i == absent_id]
    gaps = [b - a for a, b in zip(absent, absent[1:])]
    if any(REPEAT_MS[0] <= g <= REPEAT_MS[1] for g in gaps):
        print(f"ok   the absent station is asked again after {min(gaps):.0f} ms")
    else:
        failures.append(f"the absent station is not asked again 5 s later (requests at {absent})")

    order = [i for n, (_, i) in enumerate(requests) if n == 0 or requests[n - 1][1] != i]
    if order[:3] == [first_id, absent_id, first_id]:
        print(f"ok   the requests cycle {order[:3]}")
    else:
        failures.append(f"the requests go {order} instead of cycling")
    for f in failures:
        print("FAIL " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
