#!/usr/bin/python3
"""Draws Tulvarine's pictures: the window icon (icon.png, 256 x 256), the
animated DNA double helix of the Home page (home_helix.gif, 400 x 300) and the
information sign of the "Update" window (information.jpg, 314 x 300).

Run with Debian's Python and Pillow (python3-pil): ./make_pictures.py
The outputs are committed; the build does not run this script."""

import math
from pathlib import Path

from PIL import Image, ImageDraw

HERE = Path(__file__).resolve().parent

BASE_COLOURS = [(46, 160, 67), (214, 48, 49), (123, 44, 191), (38, 99, 201)]  # A, T, G, C
STRAND_FRONT = [(24, 78, 156), (222, 120, 20)]
BACKGROUND_TOP = (250, 252, 255)
BACKGROUND_BOTTOM = (222, 233, 247)
TRANSPARENT_KEY = (255, 0, 255)  # the GIF's transparent colour: the window shows through


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def background(width, height):
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for y in range(height):
        draw.line([(0, y), (width, y)], fill=blend(BACKGROUND_TOP, BACKGROUND_BOTTOM, y / (height - 1)))
    return image


def helix_frame(width, height, phase, scale=1.0, turns=2.2, rungs=26, transparent=False):
    """One frame: a helix lying across the picture, turned by phase (radians)."""
    image = Image.new("RGB", (width, height), TRANSPARENT_KEY) if transparent else background(width, height)
    draw = ImageDraw.Draw(image)
    centre_y = height / 2
    amplitude = height * 0.30
    margin = width * 0.06
    steps = 240

    def point(strand, x):
        angle = phase + strand * math.pi + (x - margin) / (width - 2 * margin) * turns * 2 * math.pi
        return centre_y + amplitude * math.sin(angle), math.cos(angle)  # y, depth (1 = front)

    # Items are drawn back to front so that the nearer strand covers the farther.
    items = []
    for r in range(rungs):
        x = margin + (width - 2 * margin) * (r + 0.5) / rungs
        (y0, d0), (y1, d1) = point(0, x), point(1, x)
        colour = BASE_COLOURS[(r * 7) % 4]
        partner = BASE_COLOURS[[1, 0, 3, 2][(r * 7) % 4]]
        depth = (d0 + d1) / 2 - 0.05
        items.append((depth, "rung", x, y0, y1, colour, partner))
    for strand in (0, 1):
        for s in range(steps):
            xa = margin + (width - 2 * margin) * s / steps
            xb = margin + (width - 2 * margin) * (s + 1) / steps
            (ya, da), (yb, db) = point(strand, xa), point(strand, xb)
            items.append(((da + db) / 2, "strand", strand, xa, ya, xb, yb))
    items.sort(key=lambda item: item[0])

    for item in items:
        depth = item[0]
        shade = 0.55 + 0.45 * (depth + 1) / 2  # farther parts are paler
        if item[1] == "rung":
            _, _, x, y0, y1, colour, partner = item
            mid = (y0 + y1) / 2
            w = max(2, round(5 * scale * shade))
            draw.line([(x, y0), (x, mid)], fill=blend(BACKGROUND_BOTTOM, colour, shade), width=w)
            draw.line([(x, mid), (x, y1)], fill=blend(BACKGROUND_BOTTOM, partner, shade), width=w)
        else:
            _, _, strand, xa, ya, xb, yb = item
            w = max(2, round(9 * scale * shade))
            colour = blend(BACKGROUND_BOTTOM, STRAND_FRONT[strand], shade)
            draw.line([(xa, ya), (xb, yb)], fill=colour, width=w)
            r = w / 2
            draw.ellipse([xb - r, yb - r, xb + r, yb + r], fill=colour)
    return image


def make_gif():
    count = 36
    frames = [helix_frame(400, 300, 2 * math.pi * i / count, transparent=True) for i in range(count)]
    # One palette for every frame, so that the transparent colour keeps its index.
    palette = frames[0].quantize(colors=64, dither=Image.NONE)
    frames = [frame.quantize(palette=palette, dither=Image.NONE) for frame in frames]
    key = palette.getpalette()[: 64 * 3]
    key_index = min(range(64), key=lambda i: sum(abs(key[3 * i + c] - TRANSPARENT_KEY[c]) for c in range(3)))
    frames[0].save(HERE / "home_helix.gif", save_all=True, append_images=frames[1:], duration=70, loop=0,
                   optimize=False, disposal=2, transparency=key_index)


def make_icon():
    size = 256
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle([8, 8, size - 8, size - 8], radius=48, fill=(24, 78, 156, 255))
    helix = helix_frame(200, 200, 0.6, scale=1.8, turns=1.3, rungs=12).rotate(-40, resample=Image.BICUBIC, fillcolor=BACKGROUND_TOP)
    mask = Image.new("L", (200, 200), 0)
    ImageDraw.Draw(mask).ellipse([4, 4, 196, 196], fill=255)
    image.paste(helix, (28, 28), mask)
    image.save(HERE / "icon.png")


def make_information():
    """A blue disc with a white letter i. The "Update" window stretches the
    picture over its 130 x 82 canvas, so it is drawn in the canvas's proportions
    and squeezed to 314 x 300: stretched back, the disc is round again."""
    scale = 8
    width, height = 130 * scale, 82 * scale
    image = Image.new("RGB", (width, height), (255, 255, 255))
    draw = ImageDraw.Draw(image)
    cx, cy, r = 65 * scale, 40 * scale, 30 * scale  # where the waiting animation draws its disc
    draw.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(52, 101, 167))
    dot = 4.5 * scale
    draw.ellipse([cx - dot, cy - 17 * scale - dot, cx + dot, cy - 17 * scale + dot], fill=(255, 255, 255))
    stem = 3.8 * scale
    draw.rounded_rectangle([cx - stem, cy - 7 * scale, cx + stem, cy + 20 * scale], radius=stem, fill=(255, 255, 255))
    image.resize((314, 300), Image.LANCZOS).save(HERE / "information.jpg", quality=92)


if __name__ == "__main__":
    make_gif()
    make_icon()
    make_information()
