#!/usr/bin/env python3
"""Checks a student's screenshot against the test pattern of TestPattern.h.

  check_viewer.py VIEWING.ppm STOPPED.ppm TOLERANCE CURSOR_X CURSOR_Y

VIEWING must show the pattern at sampled points inside its flat squares
(exactly, or within TOLERANCE per channel), and the teacher's cursor near
(CURSOR_X, CURSOR_Y); STOPPED, taken after DoStop, must not show it."""
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


def matches(img, tolerance, depth16):
    bad = 0
    samples = 0
    for y in range(40, 760, 64):
        for x in range(20, 1000, 64):
            if (y % 16) < 4 or abs(x - 300) < 48 and abs(y - 200) < 48:
                continue  # line rows and the cursor's place
            samples += 1
            want = pattern(x, y, depth16)
            got = pixel(img, x, y)
            if any(abs(a - b) > tolerance + (8 if depth16 else 0) for a, b in zip(want, got)):
                bad += 1
                if bad <= 5:
                    print(f"  ({x},{y}): want {want} got {got}")
    return samples, bad


def main():
    viewing, stopped = read_ppm(sys.argv[1]), read_ppm(sys.argv[2])
    tolerance = int(sys.argv[3])
    cx, cy = int(sys.argv[4]), int(sys.argv[5])
    depth16 = tolerance == 8
    ok = True
    samples, bad = matches(viewing, tolerance, depth16)
    if bad:
        print(f"FAIL the student's view differs from the pattern at {bad} of {samples} points")
        ok = False
    else:
        print(f"ok   the student's view shows the pattern ({samples} points)")
    # The cursor (the standard arrow) darkens or changes pixels at its place.
    changed = sum(1 for dx in range(0, 12) for dy in range(0, 16)
                  if pixel(viewing, cx + dx, cy + dy) != pattern(cx + dx, cy + dy, depth16))
    if changed < 10:
        print(f"FAIL no cursor drawn at ({cx},{cy})")
        ok = False
    else:
        print(f"ok   the teacher's cursor is drawn at ({cx},{cy})")
    samples, bad = matches(stopped, 40, depth16)
    if bad < samples // 2:
        print("FAIL the view is still there after DoStop")
        ok = False
    else:
        print("ok   DoStop removed the view")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
