#!/usr/bin/env python3
"""Whether a student's screen shows the teacher's picture.

  compare_screens.py TEACHER.ppm STUDENT.ppm [CURSOR_X CURSOR_Y]

Both screenshots are cut into 16-pixel cells and each cell's mean colour is
compared: a JPEG picture keeps its cells' means, a stale or missing block
does not. The cells around the teacher's cursor (drawn on the student's
screen, not on the teacher's screenshot) are left out. Prints one line and
ends 0 when every cell matches, 1 otherwise."""
import sys

CELL = 16
TOLERANCE = 16  # per channel, on a cell's mean
CURSOR_BEFORE = 16  # the cursor's cells: from this far before its hot spot
CURSOR_AFTER = 48  # to this far after it


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 2
    while len(fields) < 3:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(int(data[pos:end]))
        pos = end
    if data[:2] != b"P6" or fields[2] != 255:
        raise ValueError(f"{path}: not an 8-bit PPM")
    return fields[0], fields[1], data[pos + 1:]


def cell_means(image):
    width, height, pixels = image
    columns, rows = width // CELL, height // CELL
    means = []
    for row in range(rows):
        sums = [[0, 0, 0] for _ in range(columns)]
        for y in range(row * CELL, row * CELL + CELL):
            line = pixels[y * width * 3:(y + 1) * width * 3]
            for column in range(columns):
                start = column * CELL * 3
                for channel in range(3):
                    sums[column][channel] += sum(line[start + channel:start + CELL * 3:3])
        means.append([[s // (CELL * CELL) for s in cell] for cell in sums])
    return means


def main():
    if len(sys.argv) not in (3, 5):
        print(__doc__)
        return 2
    teacher, student = read_ppm(sys.argv[1]), read_ppm(sys.argv[2])
    if teacher[:2] != student[:2]:
        print(f"differs: {teacher[0]}x{teacher[1]} against {student[0]}x{student[1]}")
        return 1
    cursor = (int(sys.argv[3]), int(sys.argv[4])) if len(sys.argv) == 5 else None
    a, b = cell_means(teacher), cell_means(student)
    compared = differing = 0
    for row, (cells_a, cells_b) in enumerate(zip(a, b)):
        for column, (mean_a, mean_b) in enumerate(zip(cells_a, cells_b)):
            x, y = column * CELL, row * CELL
            if cursor and cursor[0] - CURSOR_BEFORE - CELL < x < cursor[0] + CURSOR_AFTER and \
                    cursor[1] - CURSOR_BEFORE - CELL < y < cursor[1] + CURSOR_AFTER:
                continue
            compared += 1
            if any(abs(p - q) > TOLERANCE for p, q in zip(mean_a, mean_b)):
                differing += 1
    if differing:
        print(f"differs in {differing} of {compared} cells")
        return 1
    print(f"same in {compared} cells")
    return 0


if __name__ == "__main__":
    sys.exit(main())
