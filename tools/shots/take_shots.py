"""Screenshots of every shot of the show through the real program, and the share of the canvas each model covers.

Run from the top of the tree after the build: python3 tools/shots/take_shots.py [build/korvel [NAME-PART]]
Writes docs/shots/*.png (the 80 x 50 cell grid) and the index docs/shots.md; with NAME-PART, only
the shots whose names contain it, and no index.

The share of a model shot is measured on the canvas shot at the same moment: a pixel counts
when it differs from the scene's ground. The ground is the most frequent colour of the canvas
(the flat clear colour of the dinosaur and row scenes); for the emblem, the white (or black) clear
colour through the scene's levels; for the asteroids, the black clear colour with the promo-text
band blended over it at its scroll position, rebuilt here from data/promotext.tga.
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib
from collections import Counter

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_ZOOM = 160, 100, 4

# name, seconds into the show, kind of measurement (model, rocks or none), what it shows.
# For rocks the extra fields are the time the scene was selected and the promo-text band.
SHOTS = [
    ("scene01_title_band0", 4.0, "none", "title tunnel, band 0: the title between the letterbox bars, the dino-tile tunnel added"),
    ("scene08_warp", 9.5, "none", "tile warp of the dino tile, tag 0 drawing itself"),
    ("scene12_rotozoom", 11.9, "none", "rotozoom: eggs over the volcano sunset, dino tile on top, tag 0 and the intro bars"),
    ("scene00_p0_burst", 15.6, "emblem:14.994:white", "blz emblem, preset 0: the letters burst out of their grooves"),
    ("scene00_p0", 20.5, "emblem:14.994:white", "blz emblem, preset 0: the name assembled, the camera drawing back"),
    ("scene00_p0_back", 24.0, "emblem:14.994:white", "blz emblem, preset 0 on: the camera draws back from the whole name"),
    ("scene00_p0_again", 28.5, "emblem:26.240:white", "blz emblem, preset 0 again, its clock restarted: the letters fly in before the slab"),
    ("scene05_band0", 31.2, "none", "purple tunnel, bubble band 0"),
    ("scene05_band1", 33.1, "none", "purple tunnel, bubble band 1"),
    ("scene05_band2", 35.0, "none", "purple tunnel, bubble band 2"),
    ("scene05_band3", 36.9, "none", "purple tunnel, bubble band 3"),
    ("scene04_rocks01", 38.9, "rocks:37.486:0", "asteroids, 1 rock in its particle stream (counted in the share), promo text band 0 scrolling"),
    ("scene04_rocks02", 40.8, "rocks:37.486:0", "asteroids, 2 rocks"),
    ("scene04_rocks03", 42.7, "rocks:37.486:0", "asteroids, 3 rocks"),
    ("scene07_strobe", 43.9, "none", "colour strobe under the distortion band"),
    ("scene03_p0", 46.0, "model", "t-rex, preset 0: the head close, the camera rising"),
    ("scene03_p1", 49.5, "model", "t-rex, preset 1: three-quarter view, slow"),
    ("scene02_p0", 54.5, "model", "diplodocus, preset 0: walking, far"),
    ("scene02_p1", 58.2, "model", "diplodocus, preset 1: head and neck, the body below the frame"),
    ("scene02_p0_again", 62.0, "model", "diplodocus, preset 0 again: walking, far"),
    ("scene02_p1_again", 65.7, "model", "diplodocus, preset 1 again: head and neck"),
    ("scene02_p4", 69.5, "model", "diplodocus herd, preset 4: wide lens from low, into the stance"),
    ("scene02_p5", 73.2, "model", "diplodocus herd, preset 5: half reared, necks and heads from below"),
    ("scene02_p6", 76.0, "model", "diplodocus herd, preset 6: firing, braced with the necks forward, from below"),
    ("scene02_p7", 77.8, "model", "diplodocus herd, preset 7: firing, the whole herd from the side"),
    ("scene03_p2", 79.7, "model", "t-rex, preset 2"),
    ("scene03_p3", 81.6, "model", "t-rex, preset 3"),
    ("scene14_row", 84.5, "model", "row of triceratops turning about their shoulders (the fifth stands beyond the far plane), tag 7 with the credits corner over it (counted in the share)"),
    ("scene09_boom", 86.6, "none", "boom: the fireball"),
    ("scene04_rocks05", 92.5, "rocks:89.966:0", "asteroids, 5 rocks"),
    ("scene04_rocks09", 107.2, "rocks:89.966:1", "asteroids, 9 rocks, promo text band 1"),
    ("scene04_rocks14", 111.0, "rocks:89.966:0", "asteroids, 14 rocks, promo text band 0"),
    ("scene06_band0", 113.5, "none", "credits, band 0"),
    ("scene06_band1", 115.4, "none", "credits, band 1"),
    ("scene06_band2", 117.2, "none", "credits, band 2"),
    ("scene07_strobe_letterbox", 119.0, "none", "strobe selected again: it draws nothing until its clock passes its last change, so the credits stay under the closing bars"),
    ("scene12_rotozoom_tag1", 122.0, "none", "rotozoom with graffiti tag 1"),
    ("scene08_warp_title", 129.5, "none", "tile warp under the title laid over it (opaque, so the title shows)"),
    ("scene08_warp_slot9", 133.0, "none", "tile warp, picture slot 9 laid over it"),
    ("scene00_p4", 138.3, "emblem:136.823:white", "blz emblem, preset 4: the camera stays where preset 0 left it, the letters burst, tag 1 over it"),
    ("scene05_band4", 139.7, "none", "purple tunnel, bubble band 4: MORE!"),
    ("scene05_band5", 141.5, "none", "purple tunnel, bubble band 5: LOUDER!"),
    ("scene01_title_band1", 144.0, "none", "title tunnel, band 1: IN YOUR TERMINAL"),
    ("scene00_p0_year", 147.7, "emblem:146.194:white", "blz emblem, preset 0: the letters come home, tag 16 (2026) drawing itself over them"),
    ("scene03_p0_again", 150.9, "model", "t-rex, preset 0 again"),
    ("scene03_p1_again", 153.3, "model", "t-rex, preset 1 again"),
    ("scene03_p2_again", 155.2, "model", "t-rex, preset 2 again"),
    ("scene03_p3_again", 157.0, "model", "t-rex, preset 3 again"),
    ("scene02_p7_again", 158.4, "model", "diplodocus herd, preset 7 again"),
    ("scene02_p4_again", 160.3, "model", "diplodocus herd, preset 4 again"),
    ("scene02_p5_again", 162.2, "model", "diplodocus herd, preset 5 again"),
    ("scene02_p6_again", 164.0, "model", "diplodocus herd, preset 6 again"),
    ("scene04_rocks10", 167.0, "rocks:164.937:0", "asteroids, 10 rocks"),
    ("scene04_rocks14_again", 170.7, "rocks:164.937:0", "asteroids, 14 rocks"),
    ("scene15_band0", 173.4, "none", "slides, band 0"),
    ("scene15_band1", 175.3, "none", "slides, band 1"),
    ("scene15_band2", 177.2, "none", "slides, band 2"),
    ("scene15_band3", 179.0, "none", "slides, band 3"),
    ("scene00_p0_last", 181.4, "emblem:179.931:white", "blz emblem, preset 0 once more: the letters fly in"),
    ("scene14_row_again", 185.7, "model", "row of five triceratops turning"),
    ("scene07_strobe_distort", 188.5, "none", "strobe under the distortion band"),
    ("scene09_boom_again", 191.5, "none", "boom again: smoke"),
    ("scene10_band0", 196.4, "none", "ending, band 0"),
    ("scene10_band1", 200.2, "none", "ending, band 1"),
    ("scene11_curtain1", 204.8, "none", "curtain: two columns closed over the ending"),
    ("scene11_curtain3", 208.9, "none", "curtain: all four columns closed"),
]


def read_png(path):
    """The RGB rows of an 8-bit PNG, as a list of bytearrays."""
    with open(path, "rb") as f:
        data = f.read()
    pos, idat, width, height, channels = 8, b"", 0, 0, 3
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos : pos + 8])
        body = data[pos + 8 : pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour not in (2, 6):
                raise ValueError(f"{path}: only 8-bit RGB or RGBA pictures are read")
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(line)
        previous = line
    if channels == 4:
        rows = [bytearray(b for i, b in enumerate(r) if i % 4 != 3) for r in rows]
    return width, height, rows


def canvas_pixels(path):
    """The 160 x 100 canvas from its 4x shot, one (r, g, b) tuple a pixel, row by row."""
    _, _, rows = read_png(path)
    out = []
    for y in range(CANVAS_HEIGHT):
        row = rows[y * CANVAS_ZOOM]
        for x in range(CANVAS_WIDTH):
            i = x * CANVAS_ZOOM * 3
            out.append((row[i], row[i + 1], row[i + 2]))
    return out


def read_tga(path):
    """Width, height and (r, g, b, a) pixels of an uncompressed true-colour TGA stored top row first."""
    with open(path, "rb") as f:
        data = f.read()
    width, height, bits, descriptor = struct.unpack("<HHBB", data[12:18])
    size = bits // 8
    start = 18 + data[0]
    pixels = []
    for i in range(width * height):
        p = data[start + i * size : start + (i + 1) * size]
        pixels.append((p[2], p[1], p[0], p[3] if size == 4 else 255))
    if not descriptor & 0x20:
        pixels = [p for y in reversed(range(height)) for p in pixels[y * width : (y + 1) * width]]
    return width, height, pixels


def promo_ground(promo, left, band):
    """The asteroid scene's ground: black with the promo-text band blended on at (left, -100 band)."""
    width, height, pixels = promo
    ground = []
    for y in range(CANVAS_HEIGHT):
        for x in range(CANVAS_WIDTH):
            px, py = x - left, y + 100 * band
            if 0 <= px < width and 0 <= py < height:
                r, g, b, a = pixels[py * width + px]
                ground.append(((r * a) >> 8, (g * a) >> 8, (b * a) >> 8))
            else:
                ground.append((0, 0, 0))
    return ground


def model_share(canvas, ground=None):
    if ground is None:
        ground = Counter(canvas).most_common(1)[0][0]
    return sum(1 for p in canvas if p != ground) / len(canvas)


def emblem_ground(seconds, selected, black):
    """The emblem scene's ground: white (black for preset 3) through the scene's levels at its clock.

    Its slab is one flat colour and may cover more of the canvas than the ground, so the most
    frequent colour would not do."""
    if black:
        return (0, 0, 0)
    s = int(round((seconds - selected) * 1000)) * 0.001 * 12.0
    low, high = int(400.0 - 2.0 * s), int(510.0 - 2.0 * s)
    value = int(255 * (256.0 / (high - low)) - low)
    return (max(0, min(255, value)),) * 3


def emblem_share(canvas, seconds, selected, black):
    """The share against the emblem's ground; the shot's frame may fall a few milliseconds off the
    asked time, so the grey nearest the computed one that the canvas holds most often is taken."""
    expected = emblem_ground(seconds, selected, black)[0]
    counts = Counter(canvas)
    value = max(range(expected - 3, expected + 4), key=lambda v: counts.get((v, v, v), 0))
    return model_share(canvas, (value, value, value))


def rocks_share(canvas, promo, seconds, selected, band):
    """The least share over the scroll positions around the expected one (the clock is exact to a frame)."""
    expected = int(-(seconds - selected) * 120)
    best = 1.0
    for left in range(expected - 3, expected + 4):
        ground = promo_ground(promo, left, band)
        best = min(best, sum(1 for p, q in zip(canvas, ground) if p != q) / len(canvas))
    return best


def main():
    korvel = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else "build/korvel"
    only = sys.argv[2] if len(sys.argv) > 2 else None
    os.chdir(ROOT)
    os.makedirs("docs/shots", exist_ok=True)
    promo = read_tga("data/promotext.tga")
    lines = [
        "# Shots of the show",
        "",
        "Every camera preset of the model scenes and every picture scene, as the console shows it",
        "(the 80 x 50 cell grid), at moments taken from `docs/storyboard.md`. Made by",
        "`python3 tools/shots/take_shots.py` (which runs `build/korvel --screenshot` and",
        "`--canvas-shot`).",
        "",
        "Share: the part of the 160 x 100 canvas (`--canvas-shot` at the same moment) whose pixels differ",
        "from the scene's ground: for the dinosaurs and the row, the most frequent colour of the canvas",
        "(their flat clear colour); for the emblem, white (black in preset 3) through the scene's levels",
        "at its clock, since its flat slab can outnumber the ground; for the asteroids, black with the",
        "promo-text band blended on at its scroll position. Overlays (tags, corner pictures) count too.",
        "",
        "Framing: `build/tools/korvel-render --framing data/dino.xm` (run from the top of the tree) plays",
        "the show through its own timeline and prints, for every model shot, the share of its frames in",
        "which every animal's snout tip (for the emblem, every vertex of its name) lies on the canvas, and",
        "the share of the canvas the models cover (their outlines included). The test",
        "`ShowFraming.EveryModelShotShowsItsHeadsAndCoversATenthToFourFifths` holds every shot to at least",
        "three quarters and to 10-80 %.",
        "",
        "| shot | time | what it shows | share |",
        "|---|---|---|---|",
    ]
    with tempfile.TemporaryDirectory() as scratch:
        for name, seconds, kind, what in SHOTS:
            if only is not None and only not in name:
                continue
            subprocess.run([korvel, "--screenshot", str(seconds), f"docs/shots/{name}.png"], check=True)
            share = ""
            if kind != "none":
                canvas_path = os.path.join(scratch, name + ".png")
                subprocess.run([korvel, "--canvas-shot", str(seconds), canvas_path], check=True)
                canvas = canvas_pixels(canvas_path)
                if kind == "model":
                    value = model_share(canvas)
                elif kind.startswith("emblem"):
                    _, selected, ground = kind.split(":")
                    value = emblem_share(canvas, seconds, float(selected), ground == "black")
                else:
                    _, selected, band = kind.split(":")
                    value = rocks_share(canvas, promo, seconds, float(selected), int(band))
                share = f"{100 * value:.1f} %"
            minutes = int(seconds // 60)
            stamp = f"{minutes}:{seconds - 60 * minutes:06.3f}"
            lines.append(f"| [{name}](shots/{name}.png) | {stamp} | {what} | {share} |")
            print(name, stamp, share, flush=True)
    if only is not None:
        return
    with open("docs/shots.md", "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
