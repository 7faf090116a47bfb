#!/usr/bin/env python3
"""Checks a teacher's screenshot of the multi-screen view.

  check_cells.py SHOT.ppm GRID LIVE

The screen is a GRID x GRID grid of cells; the first LIVE cells show a
station and must carry the seat tag (a cyan strip 70 pixels in from the
cell's right edge, 20 down); the other cells must show the viewer's
background (black) and no tag. Prints one ok/FAIL line per cell."""
import sys

from check_viewer import read_ppm, pixel

CYAN = (0, 255, 255)
BACKGROUND = (0, 0, 0)
TAG_RIGHT_OFFSET = 70
TAG_TOP = 20
TAG_WIDTH = 50
TAG_HEIGHT = 30


def tag_is_cyan(img, left, top, width):
    x0, y0 = left + width - TAG_RIGHT_OFFSET, top + TAG_TOP
    # Inside the tag's border, left of and above where its text starts.
    samples = [pixel(img, x, y) for x in (x0 + 1, x0 + 2) for y in range(y0 + 1, y0 + TAG_HEIGHT - 1)]
    return sum(1 for p in samples if p == CYAN) >= len(samples) * 9 // 10


def is_background(img, left, top, width, height):
    samples = [pixel(img, x, y) for x in range(left + 4, left + width - 4, 16)
               for y in range(top + 4, top + height - 4, 16)]
    return sum(1 for p in samples if p == BACKGROUND) >= len(samples) * 98 // 100


def main():
    img = read_ppm(sys.argv[1])
    grid, live = int(sys.argv[2]), int(sys.argv[3])
    width, height = img[0] // grid, img[1] // grid
    failed = False
    for cell in range(grid * grid):
        left, top = (cell % grid) * img[0] // grid, (cell // grid) * img[1] // grid
        if cell < live:
            ok = tag_is_cyan(img, left, top, width)
            what = f"cell {cell} shows its seat tag"
        else:
            ok = is_background(img, left, top, width, height) and not tag_is_cyan(img, left, top, width)
            what = f"cell {cell} is empty: the viewer's background"
        print(("ok   " if ok else "FAIL ") + what)
        failed |= not ok
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
