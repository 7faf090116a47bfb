#!/usr/bin/env python3
"""Whether students' screens show the teacher's picture.

  compare_screens.py TEACHER.ppm [--cursor X Y] STUDENT.ppm...

Both screenshots are cut into 16-pixel cells and each cell's mean colour is
compared (every other row sampled): a JPEG picture keeps its cells' means,
a stale or missing block does not. The cells around the teacher's cursor
(drawn on the students' screens, not on the teacher's screenshot) are left
out. Prints one line per student, "STUDENT.ppm: same ..." or "STUDENT.ppm:
differs ...", and ends 0 when every student's screen matches, 1 otherwise."""
import sys

CELL = 16
ROW_STEP = 2  # rows sampled in a cell
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
        for y in range(row * CELL, row * CELL + CELL, ROW_STEP):
            line = pixels[y * width * 3:(y + 1) * width * 3]
            for column in range(columns):
                start = column * CELL * 3
                for channel in range(3):
                    sums[column][channel] += sum(line[start + channel:start + CELL * 3:3])
        means.append([[s // (CELL * CELL // ROW_STEP) for s in cell] for cell in sums])
    return means


def compare(teacher, means, student, cursor):
    if teacher[:2] != student[:2]:
        return False, f"differs: {student[0]}x{student[1]}, the teacher's {teacher[0]}x{teacher[1]}"
    compared = differing = 0
    for row, (cells_a, cells_b) in enumerate(zip(means, cell_means(student))):
        for column, (mean_a, mean_b) in enumerate(zip(cells_a, cells_b)):
            x, y = column * CELL, row * CELL
            if cursor and cursor[0] - CURSOR_BEFORE - CELL < x < cursor[0] + CURSOR_AFTER and \
                    cursor[1] - CURSOR_BEFORE - CELL < y < cursor[1] + CURSOR_AFTER:
                continue
            compared += 1
            if any(abs(p - q) > TOLERANCE for p, q in zip(mean_a, mean_b)):
                differing += 1
    if differing:
        return False, f"differs in {differing} of {compared} cells"
    return True, f"same in {compared} cells"


def main():
    args = sys.argv[1:]
    cursor = None
    if len(args) >= 4 and args[1] == "--cursor":
        cursor = (int(args[2]), int(args[3]))
        del args[1:4]
    if len(args) < 2:
        print(__doc__)
        return 2
    teacher = read_ppm(args[0])
    means = cell_means(teacher)
    all_same = True
    for path in args[1:]:
        try:
            same, text = compare(teacher, means, read_ppm(path), cursor)
        except (OSError, ValueError, IndexError) as error:
            same, text = False, f"differs: unreadable ({error})"
        all_same = all_same and same
        print(f"{path}: {text}")
    return 0 if all_same else 1


if __name__ == "__main__":
    sys.exit(main())
