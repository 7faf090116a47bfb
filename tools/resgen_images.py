"""Draws the bitmaps, icons and cursors of a resource table with ImageMagick.

Bitmap styles (the table's style column):
    panel     a window or dialog background: light body, a 20-pixel caption
              band carrying the text (or "caption|body text": the body text
              is written in the middle of the body), a dark frame; further
              "|X,Y label" parts write a label with its top left at X,Y, for
              the fields of a dialog
    form      a panel whose body carries captions at given places, e.g. the
              field captions of a dialog: "caption|X,Y:text|X,Y:text..."
              (each text's top left corner at X,Y)
    page      a tab page: a light body under a 20-pixel ear band, captions at
              given places as in form: "X,Y:text|X,Y:text..."
    band      a plain piece of a window's frame or a toolbar background,
              optional text in the middle
    tile      a light pattern that is tiled behind the seats
    up, down, hover, focus, disabled
              a button face in that state showing the text, which names the
              button's function
Toolbars: the strip of their buttons' faces side by side, each face of the
toolbar's button size and style showing the button's text.
Icon styles: pc:#RRGGBB (a monitor whose screen has that colour, the text on
it), lock:#RRGGBB (the same monitor with a padlock on its screen),
badge:#RRGGBB (a rounded square of that colour with the text).
Cursor styles: hand:X,Y or arrow:X,Y (X,Y = the hot spot).

Every image is drawn by one ImageMagick process; images whose drawing did not
change since the last run are kept, so editing a table redraws only its
changed rows.
"""

import concurrent.futures
import hashlib
import json
import os
import re
import subprocess

DEFAULT_CONVERT = "/usr/bin/convert"
DEFAULT_FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
# Bump when the drawing changes, so every image is drawn again.
DRAWING_VERSION = 1

CAPTION_HEIGHT = 20
CAPTION_POINTS = 12
BODY_POINTS = 14
LABEL_POINTS = 12
MAX_FACE_TEXT_HEIGHT = 18
ICON_CANVAS = 32
MAX_BATCH = 24

# The kit's colours: light blue bodies, dark blue text.
INK = "#00006E"
BODY_TOP, BODY_BOTTOM = "#EEF8FE", "#C8E5F3"
CAPTION_TOP, CAPTION_BOTTOM = "#5AA9E0", "#2B6CB0"
FRAME = "#1F4E8C"
BAND_TOP, BAND_BOTTOM = "#D6ECF8", "#A9CFEA"
TILE_BACKGROUND, TILE_LINE, TILE_DOT = "#F4FAFE", "#DCEBF5", "#C6DDEE"
FACES = {
    #            top        bottom     edge       ink
    "up":       ("#FDFEFF", "#BFDDF2", "#5C8DB8", INK),
    "down":     ("#9DC4E6", "#DCEEFA", "#2B5C8A", INK),
    "hover":    ("#FFFBEA", "#FFD98A", "#C08A1E", INK),
    "focus":    ("#FFFBEA", "#FFE3A6", "#C08A1E", INK),
    "disabled": ("#EDEDED", "#CFCFCF", "#A0A0A0", "#8F8F8F"),
}
ICON_BEZEL = "#37474F"
LOCK_METAL = "#F4D03F"


class DrawError(Exception):
    pass


def im_text(text):
    """ImageMagick reads '%' escapes and a leading '@' (a file) in texts."""
    text = text.replace("%", "%%")
    return "\\" + text if text.startswith("@") else text


def image_key(row):
    """Names a row's image: a named bitmap has no id constant to go by."""
    return f"{row.kind}_{row.id}"


def parse_colour(style, row):
    match = re.fullmatch(r"(pc|lock|badge):(#[0-9A-Fa-f]{6})", style)
    if not match:
        raise DrawError(f"{row.where()}: icon style '{style}' is not pc:#RRGGBB, lock:#RRGGBB or badge:#RRGGBB")
    return match.group(1), match.group(2)


def parse_hotspot(style, row):
    match = re.fullmatch(r"(hand|arrow):(\d+),(\d+)", style)
    if not match or int(match.group(2)) >= row.width or int(match.group(3)) >= row.height:
        raise DrawError(f"{row.where()}: cursor style '{style}' is not hand:X,Y or arrow:X,Y inside the cursor")
    return match.group(1), int(match.group(2)), int(match.group(3))


class Painter:
    def __init__(self, convert, font, folder):
        self.convert = convert
        self.font = font
        self.folder = folder

    # ---- bitmaps -----------------------------------------------------------

    def bitmap_args(self, row):
        w, h, text = row.width, row.height, row.text
        if row.style == "panel":
            return self.panel(w, h, text)
        if row.style == "form":
            caption, _, labels = text.partition("|")
            return self.panel(w, h, caption) + self.labels(labels, row)
        if row.style == "page":
            return self.page(w, h) + self.labels(text, row)
        if row.style == "band":
            return self.band(w, h, text)
        if row.style == "tile":
            return self.tile(w, h)
        if row.style in FACES:
            return self.face(w, h, row.style, text)
        raise DrawError(f"{row.where()}: unknown bitmap style '{row.style}'")

    def frame(self, w, h, colour):
        return ["+antialias", "-fill", "none", "-stroke", colour, "-strokewidth", "1",
                "-draw", f"rectangle 0,0 {w - 1},{h - 1}"]

    def panel(self, w, h, text):
        caption, *parts = text.split("|")
        band = min(h, CAPTION_HEIGHT)
        args = ["-size", f"{w}x{h}", f"gradient:{BODY_TOP}-{BODY_BOTTOM}",
                "(", "-size", f"{w}x{band}", f"gradient:{CAPTION_TOP}-{CAPTION_BOTTOM}"]
        if caption:
            args += ["-font", self.font, "-pointsize", str(CAPTION_POINTS), "-fill", "white",
                     "-gravity", "west", "-annotate", "+8+0", im_text(caption)]
        args += [")", "-gravity", "north", "-composite"]
        for part in parts:
            label = re.fullmatch(r"(\d+),(\d+) (.+)", part, re.S)
            if label:
                args += ["-font", self.font, "-pointsize", str(LABEL_POINTS), "-fill", INK,
                         "-gravity", "northwest", "-annotate", f"+{label.group(1)}+{label.group(2)}",
                         im_text(label.group(3))]
            elif part:
                args += ["-font", self.font, "-pointsize", str(BODY_POINTS), "-fill", INK,
                         "-gravity", "center", "-annotate", f"+0+{band // 2}", im_text(part)]
        args += self.frame(w, h, FRAME)
        if h > band:
            args += ["-draw", f"line 0,{band} {w - 1},{band}"]
        return args

    def page(self, w, h):
        band = min(h, CAPTION_HEIGHT)
        return ["-size", f"{w}x{h}", f"gradient:{BODY_TOP}-{BODY_BOTTOM}",
                "(", "-size", f"{w}x{band}", f"gradient:{BAND_TOP}-{BAND_BOTTOM}", ")",
                "-gravity", "north", "-composite", "+antialias", "-fill", "none", "-stroke", FRAME,
                "-strokewidth", "1", "-draw", f"line 0,{band} {w - 1},{band}"]

    def labels(self, text, row):
        """Captions placed by their top left corner: "X,Y:text|X,Y:text"."""
        args = ["-antialias", "-font", self.font, "-pointsize", str(LABEL_POINTS), "-fill", INK, "-stroke", "none",
                "-gravity", "northwest"]
        for item in filter(None, text.split("|")):
            match = re.fullmatch(r"(\d+),(\d+):(.+)", item)
            if not match:
                raise DrawError(f"{row.where()}: caption '{item}' is not X,Y:text")
            args += ["-annotate", f"+{match.group(1)}+{match.group(2)}", im_text(match.group(3))]
        return args

    def band(self, w, h, text):
        args = ["-size", f"{w}x{h}", f"gradient:{BAND_TOP}-{BAND_BOTTOM}"]
        if text:
            args += ["-font", self.font, "-pointsize", str(CAPTION_POINTS), "-fill", INK,
                     "-gravity", "center", "-annotate", "+0+0", im_text(text)]
        return args + self.frame(w, h, FRAME)

    def tile(self, w, h):
        return ["-size", f"{w}x{h}", f"xc:{TILE_BACKGROUND}", "+antialias", "-stroke", TILE_LINE,
                "-draw", f"line 0,{h - 1} {w - 1},{h - 1}", "-draw", f"line {w - 1},0 {w - 1},{h - 1}",
                "-stroke", TILE_DOT, "-fill", TILE_DOT,
                "-draw", f"rectangle {w // 2 - 1},{h // 2 - 1} {w // 2},{h // 2}"]

    def face(self, w, h, state, text):
        top, bottom, edge, ink = FACES[state]
        args = ["-size", f"{w}x{h}", f"gradient:{top}-{bottom}"]
        shift = "+1+1" if state == "down" else "+0+0"  # a pressed face moves its text
        if len(text) == 1:
            # A symbol on a small title button: as large as the face allows.
            args += ["-font", self.font, "-pointsize", str(min(h, MAX_FACE_TEXT_HEIGHT) + 2),
                     "-fill", ink, "-gravity", "center", "-annotate", shift, im_text(text)]
        elif text:
            pad = 2 if min(w, h) < 16 else 3
            box_w = max(w - 2 * pad, 1)
            lines = text.count("\n") + 1
            box_h = max(min(h - 2 * pad, MAX_FACE_TEXT_HEIGHT * lines), 1)
            args += ["(", "-size", f"{box_w}x{box_h}", "-background", "none", "-fill", ink,
                     "-font", self.font, "-gravity", "center", f"label:{im_text(text)}", ")",
                     "-gravity", "center", "-geometry", shift, "-composite"]
        light, dark = ("white", edge) if state != "down" else (edge, "white")
        args += ["+antialias", "-fill", "none", "-strokewidth", "1",
                 "-stroke", light, "-draw", f"line 0,0 {w - 1},0", "-draw", f"line 0,0 0,{h - 1}",
                 "-stroke", dark, "-draw", f"line 0,{h - 1} {w - 1},{h - 1}",
                 "-draw", f"line {w - 1},0 {w - 1},{h - 1}"]
        if state == "focus" and w > 6 and h > 6:
            args += ["-stroke", ink, "-draw", f"stroke-dasharray 1 1 rectangle 2,2 {w - 3},{h - 3}"]
        return args

    def toolbar_args(self, row):
        if row.style not in FACES:
            raise DrawError(f"{row.where()}: toolbar style '{row.style}' is not a face style ({', '.join(FACES)})")
        args = []
        for button in row.members:
            if button.kind == "toolbutton":
                args += ["("] + self.face(row.width, row.height, row.style, button.text) + [")"]
        return args + ["+append"]

    # ---- icons and cursors ---------------------------------------------------

    def icon_args(self, row):
        shape, colour = parse_colour(row.style, row)
        args = ["-size", f"{ICON_CANVAS}x{ICON_CANVAS}", "xc:none", "-stroke", "none"]
        if shape in ("pc", "lock"):
            args += ["-fill", ICON_BEZEL, "-draw", "roundrectangle 1,2 30,23 3,3",
                     "-fill", colour, "-draw", "rectangle 4,5 27,20",
                     "-fill", ICON_BEZEL, "-draw", "rectangle 13,24 18,27",
                     "-draw", "roundrectangle 7,27 24,30 1,1"]
            text_at = "+0-4"
        if shape == "lock":
            # Shackle, then the padlock's body with its keyhole.
            args += ["-fill", "none", "-stroke", LOCK_METAL, "-strokewidth", "2",
                     "-draw", "roundrectangle 12,6 19,14 3,3", "-stroke", "none",
                     "-fill", LOCK_METAL, "-draw", "roundrectangle 10,11 21,19 1,1",
                     "-fill", ICON_BEZEL, "-draw", "rectangle 15,13 16,17"]
        elif shape == "badge":
            args += ["-fill", colour, "-draw", "roundrectangle 1,1 30,30 6,6"]
            text_at = "+0+0"
        if row.text:
            points = 13 if len(row.text) == 1 else 10
            args += ["-font", self.font, "-pointsize", str(points), "-fill", "white",
                     "-gravity", "center", "-annotate", text_at, im_text(row.text)]
        if (row.width, row.height) != (ICON_CANVAS, ICON_CANVAS):
            args += ["-resize", f"{row.width}x{row.height}!"]
        sizes = sorted({row.width, 16}, reverse=True)
        return args + ["-define", "icon:auto-resize=" + ",".join(map(str, sizes))]

    def cursor_args(self, row):
        shape, _, _ = parse_hotspot(row.style, row)
        args = ["-size", f"{ICON_CANVAS}x{ICON_CANVAS}", "xc:none",
                "-fill", "white", "-stroke", "black", "-strokewidth", "1"]
        if shape == "hand":
            args += ["-draw", "roundrectangle 7,11 25,29 4,4",
                     "-draw", "roundrectangle 15,8 19,15 2,2", "-draw", "roundrectangle 19,9 23,16 2,2",
                     "-draw", "roundrectangle 11,1 15,18 2,2"]
        else:
            args += ["-draw", "polygon 1,1 1,23 7,18 11,27 14,26 10,17 17,17"]
        if (row.width, row.height) != (ICON_CANVAS, ICON_CANVAS):
            args += ["-resize", f"{row.width}x{row.height}!"]
        return args

    # ---- running ImageMagick -------------------------------------------------

    def jobs(self, rows):
        for row in rows:
            # windres wants a plain 24-bit bitmap without alpha.
            plain_bitmap = ["-alpha", "off", "-type", "TrueColor"]
            if row.kind == "bitmap":
                yield row, self.bitmap_args(row) + plain_bitmap, "bmp", "BMP3"
            elif row.kind == "toolbar":
                yield row, self.toolbar_args(row) + plain_bitmap, "bmp", "BMP3"
            elif row.kind == "icon":
                yield row, self.icon_args(row), "ico", "ICO"
            elif row.kind == "cursor":
                yield row, self.cursor_args(row), "cur", "ICO"

    def check_convert(self):
        try:
            version = subprocess.run([self.convert, "-version"], capture_output=True, text=True).stdout
        except OSError as error:
            raise DrawError(f"cannot run {self.convert}: {error}; install Debian's imagemagick")
        if "ImageMagick" not in version:
            raise DrawError(f"{self.convert} is not ImageMagick; install Debian's imagemagick")

    def draw_all(self, rows):
        os.makedirs(self.folder, exist_ok=True)
        manifest_path = os.path.join(self.folder, "signatures.json")
        try:
            with open(manifest_path) as manifest_file:
                manifest = json.load(manifest_file)
        except (OSError, ValueError):
            manifest = {}
        paths, todo = {}, []
        for row, args, ext, encoder in self.jobs(rows):
            path = os.path.join(self.folder, f"{image_key(row)}.{ext}")
            paths[image_key(row)] = path
            signature = hashlib.sha1(json.dumps([DRAWING_VERSION, row.style, args]).encode()).hexdigest()
            if manifest.get(path) != signature or not os.path.exists(path):
                todo.append((row, args, path, encoder, signature))
        if todo:
            self.check_convert()
            workers = os.cpu_count() or 2
            with concurrent.futures.ThreadPoolExecutor(workers) as pool:
                for done in pool.map(self.draw_batch, batches(todo, workers)):
                    manifest.update(done)
            with open(manifest_path, "w") as manifest_file:
                json.dump(manifest, manifest_file, indent=0, sort_keys=True)
        return paths

    def draw_batch(self, jobs):
        """Draws several images in one ImageMagick process: starting it and
        loading the font cost more than drawing a small image."""
        command = [self.convert, "-respect-parentheses"]
        for row, args, path, encoder, _ in jobs:
            command += ["("] + args + ["-write", f"{encoder}:{path}", ")"]
        result = subprocess.run(command + ["null:"], capture_output=True, text=True)
        if result.returncode != 0:
            names = ", ".join(row.name for row, *_ in jobs)
            raise DrawError(f"ImageMagick failed for {names}: {result.stderr.strip()}")
        for row, _, path, _, _ in jobs:
            if row.kind == "cursor":
                make_cursor(path, *parse_hotspot(row.style, row)[1:])
        return {path: signature for _, _, path, _, signature in jobs}


def batches(jobs, workers):
    """Bitmaps in a few batches per worker; icons and cursors one by one,
    since the icon writer's sizes are a setting of the whole process."""
    bitmaps = [job for job in jobs if job[0].kind in ("bitmap", "toolbar")]
    for job in jobs:
        if job[0].kind not in ("bitmap", "toolbar"):
            yield [job]
    size = max(1, min(MAX_BATCH, -(-len(bitmaps) // workers)))
    for start in range(0, len(bitmaps), size):
        yield bitmaps[start:start + size]


def make_cursor(path, hot_x, hot_y):
    """Turns a one-image .ico into a .cur: type 2, and the hot spot in place
    of the planes and bit count of its directory entry."""
    with open(path, "r+b") as image:
        data = bytearray(image.read())
        if len(data) < 22 or data[2:4] not in (b"\x01\x00", b"\x02\x00") or data[4:6] != b"\x01\x00":
            raise DrawError(f"{path}: not a single-image icon")
        data[2:4] = (2).to_bytes(2, "little")
        data[10:12] = hot_x.to_bytes(2, "little")
        data[12:14] = hot_y.to_bytes(2, "little")
        image.seek(0)
        image.write(data)
