#!/usr/bin/env python3
"""Checks a screenshot of a viewing station against the test pattern of
TestPattern.h.

  check_viewer.py view TOLERANCE [CURSOR_X CURSOR_Y] SHOT.ppm
  check_viewer.py gone SHOT.ppm

view: SHOT shows the pattern at sampled points inside its flat squares
(exactly, or within TOLERANCE per channel; 8 means a 16-bit sender), and,
when given, the sender's cursor near (CURSOR_X, CURSOR_Y). gone: SHOT, taken
after DoStop, no longer shows it."""
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    parts, pos = [data[:2]], 2
    while len(parts) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        parts.append(int(data[pos:end]))
        pos = end
    width, height = parts[1], parts[2]
    return width, height, data[pos + 1:]


# Where a monitoring view shows the watched station's name: from 70 pixels
# left of the right edge, below 52.
TITLE_RIGHT = 70
TITLE_BOTTOM = 52


def pattern(x, y, depth16):
    checker = ((x // 64 + y // 64) % 2) * 160
    line = (y % 16) < 2 and (x % 128) < 96
    rgb = (x * 255 // 1279, y * 255 // 1023, 0 if line else checker + 40)
    if depth16:  # what 5 bits per channel keep
        rgb = tuple((c >> 3) << 3 for c in rgb)
    return rgb


def pixel(img, x, y):
    width, _, data = img
    i = (y * width + x) * 3
    return tuple(data[i:i + 3])


def matches(img, tolerance, depth16, report=True):
    bad = 0
    samples = 0
    width = img[0]
    for y in range(40, 760, 64):
        for x in range(20, 1000, 64):
            if (y % 16) < 4 or abs(x - 300) < 48 and abs(y - 200) < 48:
                continue  # line rows and the cursor's place
            if x >= width - TITLE_RIGHT and y < TITLE_BOTTOM:
                continue  # the station's name on a monitoring view
            samples += 1
            want = pattern(x, y, depth16)
            got = pixel(img, x, y)
            if any(abs(a - b) > tolerance + (8 if depth16 else 0) for a, b in zip(want, got)):
                bad += 1
                if report and bad <= 5:
                    print(f"  ({x},{y}): want {want} got {got}")
    return samples, bad


def check_view(shot, tolerance, cursor):
    depth16 = tolerance == 8
    ok = True
    samples, bad = matches(shot, tolerance, depth16)
    if bad:
        print(f"FAIL the view differs from the pattern at {bad} of {samples} points")
        ok = False
    else:
        print(f"ok   the view shows the pattern ({samples} points)")
    if cursor is not None:
        cx, cy = cursor
        # The cursor (the standard arrow) darkens or changes pixels at its place.
        changed = sum(1 for dx in range(0, 12) for dy in range(0, 16)
                      if pixel(shot, cx + dx, cy + dy) != pattern(cx + dx, cy + dy, depth16))
        if changed < 10:
            print(f"FAIL no cursor drawn at ({cx},{cy})")
            ok = False
        else:
            print(f"ok   the sender's cursor is drawn at ({cx},{cy})")
    return ok


def check_gone(shot):
    samples, bad = matches(shot, 40, False, report=False)
    if bad < samples // 2:
        print("FAIL the view is still there after DoStop")
        return False
    print("ok   DoStop removed the view")
    return True


def main():
    args = sys.argv[1:]
    if args[0] == "view":
        tolerance = int(args[1])
        cursor = (int(args[2]), int(args[3])) if len(args) == 5 else None
        return 0 if check_view(read_ppm(args[-1]), tolerance, cursor) else 1
    if args[0] == "gone":
        return 0 if check_gone(read_ppm(args[1])) else 1
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main())
