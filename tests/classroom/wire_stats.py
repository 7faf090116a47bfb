#!/usr/bin/env python3
"""What one PC's wire listener (mirage-listen ... count) heard of a broadcast.

  wire_stats.py WIRE.LOG [FROM_MS TO_MS]

Prints one line of KEY=VALUE: frames per second (frames whose blocks all
arrived whole; over FROM..TO when given), frame ends heard per second, blocks heard,
blocks lost (fragments missing), fragments lost, and recovery: after each
lost block, how many frames passed until a complete block covered its place
again ("max" over the run; "never" counts lost places not covered again by
the end of the log)."""
import sys


def read(path, start, stop):
    blocks, ends, complete = [], [], []
    frame_ok = None  # whether every block since the last frame end arrived whole
    with open(path) as f:
        for line in f:
            words = line.split()
            if len(words) < 2:
                continue
            t = float(words[0])
            if not start <= t <= stop:
                continue
            if words[1] == "end":
                ends.append(t)
                if frame_ok:
                    complete.append(t)
                frame_ok = None
            elif words[1] == "block":
                fields = dict(w.split("=", 1) for w in words[2:])
                rect = tuple(int(v) for v in fields["rect"].split(","))
                blocks.append((t, fields["ok"] == "1", int(fields["got"]), int(fields["count"]), rect))
                frame_ok = (frame_ok is not False) and blocks[-1][1]
    return blocks, ends, complete


def covers(outer, inner):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and outer[2] >= inner[2] and outer[3] >= inner[3]


def main():
    if len(sys.argv) not in (2, 4):
        print(__doc__)
        return 2
    start, stop = (float(sys.argv[2]), float(sys.argv[3])) if len(sys.argv) == 4 else (0.0, float("inf"))
    blocks, ends, complete = read(sys.argv[1], start, stop)
    if len(sys.argv) == 4:
        seconds = (stop - start) / 1000
    else:
        seconds = (ends[-1] - ends[0]) / 1000 if len(ends) > 1 else 0
    fps = len(complete) / seconds if seconds > 0 else 0
    ends_per_s = len(ends) / seconds if seconds > 0 else 0
    lost = [b for b in blocks if not b[1]]
    fragments_lost = sum(max(b[3] - b[2], 0) for b in lost)
    worst, never = 0, 0
    for t, _, _, _, rect in lost:
        again = next((b[0] for b in blocks if b[0] > t and b[1] and covers(b[4], rect)), None)
        if again is None:
            never += 1
            continue
        worst = max(worst, sum(1 for e in ends if t < e <= again))
    print(f"fps={fps:.1f} ends_per_s={ends_per_s:.1f} blocks={len(blocks)} lost_blocks={len(lost)} lost_fragments={fragments_lost} "
          f"recovery_frames_max={worst} never={never}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
