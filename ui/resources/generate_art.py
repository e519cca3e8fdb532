#!/usr/bin/env python3
"""Draws the wizard's icons and pictures and writes them beside this script:
setup.ico, printer.ico, port.ico, network.ico, disk.ico, background.bmp and
logo.bmp. The build compiles the committed files and never runs this script;
run it again after changing a drawing and commit what it writes.

Standard library only, and deterministic: the same drawings give the same
bytes on every run.

Shapes are signed distance functions in design units (an icon is designed on
a 32-unit square, the pictures in pixels); a canvas renders them with
analytic anti-aliasing at its own scale, so one drawing serves every icon
size. Colour images are then reduced to the palette their file format needs.
"""
import math
import os
import random
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------- colours

def rgb(hex_text):
    """'#rrggbb' -> (r, g, b) floats in 0..1."""
    h = hex_text.lstrip('#')
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(a, b, t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical(c0, c1, y0, y1):
    """A paint that runs from c0 at y0 to c1 at y1."""
    span = (y1 - y0) or 1.0
    return lambda x, y: mix(c0, c1, (y - y0) / span)


def horizontal(c0, c1, x0, x1):
    span = (x1 - x0) or 1.0
    return lambda x, y: mix(c0, c1, (x - x0) / span)


def radial(c0, c1, cx, cy, radius):
    return lambda x, y: mix(c0, c1, math.hypot(x - cx, y - cy) / radius)


# ---------------------------------------------------------------- shapes
# A shape is (sdf, bbox): sdf(x, y) is negative inside, in design units;
# bbox = (x0, y0, x1, y1) bounds the inside.

def rect(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return sdf, (x0, y0, x1, y1)


def circle(cx, cy, r):
    return (lambda x, y: math.hypot(x - cx, y - cy) - r), (cx - r, cy - r, cx + r, cy + r)


def ellipse(cx, cy, rx, ry):
    m = min(rx, ry)

    def sdf(x, y):
        return (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * m
    return sdf, (cx - rx, cy - ry, cx + rx, cy + ry)


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def segment(ax, ay, bx, by, width):
    """A line with round ends."""
    h = width / 2.0
    return ((lambda x, y: _segment_distance(x, y, ax, ay, bx, by) - h),
            (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h))


def polyline(points, width):
    shapes = [segment(a[0], a[1], b[0], b[1], width) for a, b in zip(points, points[1:])]
    return union(*shapes)


def polygon(points):
    n = len(points)

    def sdf(x, y):
        best = float('inf')
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            best = min(best, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return -best if inside else best
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return sdf, (min(xs), min(ys), max(xs), max(ys))


def ring(cx, cy, r, width):
    h = width / 2.0
    return ((lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - h),
            (cx - r - h, cy - r - h, cx + r + h, cy + r + h))


def union(*shapes):
    sdfs = [s[0] for s in shapes]
    boxes = [s[1] for s in shapes]
    return ((lambda x, y: min(f(x, y) for f in sdfs)),
            (min(b[0] for b in boxes), min(b[1] for b in boxes),
             max(b[2] for b in boxes), max(b[3] for b in boxes)))


def intersect(a, b):
    fa, fb = a[0], b[0]
    box = (max(a[1][0], b[1][0]), max(a[1][1], b[1][1]), min(a[1][2], b[1][2]), min(a[1][3], b[1][3]))
    return (lambda x, y: max(fa(x, y), fb(x, y))), box


def minus(a, b):
    fa, fb = a[0], b[0]
    return (lambda x, y: max(fa(x, y), -fb(x, y))), a[1]


def grow(shape, amount):
    """The shape widened (amount > 0) or narrowed (amount < 0)."""
    f = shape[0]
    b = shape[1]
    return ((lambda x, y: f(x, y) - amount),
            (b[0] - amount, b[1] - amount, b[2] + amount, b[3] + amount))


# ---------------------------------------------------------------- canvas

class Canvas:
    """Straight-alpha RGBA pixels; design unit u maps to pixel u * scale."""

    def __init__(self, width, height, scale=1.0):
        self.width, self.height, self.scale = width, height, scale
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def px(self, count):
        """`count` device pixels in design units (for line widths)."""
        return count / self.scale

    def fill(self, shape, paint, opacity=1.0):
        sdf, (bx0, by0, bx1, by1) = shape
        k = self.scale
        x0 = max(0, int(math.floor(bx0 * k)) - 1)
        y0 = max(0, int(math.floor(by0 * k)) - 1)
        x1 = min(self.width, int(math.ceil(bx1 * k)) + 1)
        y1 = min(self.height, int(math.ceil(by1 * k)) + 1)
        solid = None if callable(paint) else paint
        for py in range(y0, y1):
            y = (py + 0.5) / k
            row = py * self.width
            for px in range(x0, x1):
                x = (px + 0.5) / k
                cover = 0.5 - sdf(x, y) * k
                if cover <= 0.0:
                    continue
                a = (1.0 if cover > 1.0 else cover) * opacity
                colour = solid or paint(x, y)
                p = self.pixels[row + px]
                below = p[3] * (1.0 - a)
                out = a + below
                if out <= 0.0:
                    continue
                p[0] = (colour[0] * a + p[0] * below) / out
                p[1] = (colour[1] * a + p[1] * below) / out
                p[2] = (colour[2] * a + p[2] * below) / out
                p[3] = out

    def outlined(self, shape, paint, outline, width_px=1.0, opacity=1.0):
        """The shape in `outline`, its inside `width_px` pixels in from the
        edge in `paint`: the classic dark-rimmed icon look."""
        self.fill(shape, outline, opacity)
        self.fill(grow(shape, -self.px(width_px)), paint, opacity)

    def pixels_float(self):
        """Rows of (r, g, b) floats in 0..1, top first."""
        return [[tuple(p[:3]) for p in self.pixels[y * self.width:(y + 1) * self.width]]
                for y in range(self.height)]

    def rows(self):
        """Rows of (r, g, b, a) tuples in 0..255 ints, top first."""
        out = []
        for y in range(self.height):
            row = []
            for p in self.pixels[y * self.width:(y + 1) * self.width]:
                row.append(tuple(int(round(max(0.0, min(1.0, c)) * 255)) for c in p))
            out.append(row)
        return out


# ---------------------------------------------------------------- palettes

def _distance2(a, b):
    # Weighted like the eye: green counts most, blue least.
    dr, dg, db = a[0] - b[0], a[1] - b[1], a[2] - b[2]
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db


def quantise(counts, size):
    """At most `size` palette colours for {colour: count}: median cut, then a
    few rounds of k-means. Colours that fit are kept exactly."""
    colours = sorted(counts)
    if len(colours) <= size:
        return colours
    boxes = [colours]
    while len(boxes) < size:
        best, best_score, best_channel = None, -1, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            ranges = [max(c[ch] for c in box) - min(c[ch] for c in box) for ch in range(3)]
            channel = max(range(3), key=lambda ch: ranges[ch])
            weight = sum(counts[c] for c in box)
            score = ranges[channel] * math.sqrt(weight)
            if score > best_score:
                best, best_score, best_channel = i, score, channel
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda c: c[best_channel])
        total = sum(counts[c] for c in box)
        running, cut = 0, 1
        for j, c in enumerate(box[:-1]):
            running += counts[c]
            if running * 2 >= total:
                cut = j + 1
                break
        boxes.append(box[:cut])
        boxes.append(box[cut:])
    palette = []
    for box in boxes:
        weight = sum(counts[c] for c in box)
        palette.append(tuple(sum(c[ch] * counts[c] for c in box) / weight for ch in range(3)))
    for _ in range(6):
        sums = [[0.0, 0.0, 0.0, 0] for _ in palette]
        for c in colours:
            i = nearest(palette, c)
            w = counts[c]
            s = sums[i]
            s[0] += c[0] * w
            s[1] += c[1] * w
            s[2] += c[2] * w
            s[3] += w
        palette = [(s[0] / s[3], s[1] / s[3], s[2] / s[3]) if s[3] else palette[i]
                   for i, s in enumerate(sums)]
    return sorted(set(tuple(int(round(v)) for v in c) for c in palette))


def nearest(palette, colour):
    best, best_d = 0, None
    for i, p in enumerate(palette):
        d = _distance2(p, colour)
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def index_image(rows, palette, dither=0.0):
    """Palette indices for rows of colours; `dither` is the strength of a 4x4
    ordered dither in 0..255 steps (0: nearest colour)."""
    cache = {}
    out = []
    for y, row in enumerate(rows):
        line = []
        for x, c in enumerate(row):
            c = c[:3]
            if dither:
                t = (BAYER4[y % 4][x % 4] + 0.5) / 16.0 - 0.5
                c = tuple(v + t * dither for v in c)
            key = tuple(int(round(v)) for v in c)
            if key not in cache:
                cache[key] = nearest(palette, key)
            line.append(cache[key])
        out.append(line)
    return out


# ---------------------------------------------------------------- file formats

def _stride(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def _pack_rows(indices, bpp, width):
    """Bottom-up DIB rows of `bpp`-bit indices, each padded to 32 bits."""
    data = bytearray()
    stride = _stride(width, bpp)
    for row in reversed(indices):
        line = bytearray()
        if bpp == 24:
            for r, g, b in row:
                line += bytes((b, g, r))
        else:
            per_byte = 8 // bpp
            for x in range(0, width, per_byte):
                byte = 0
                for j in range(per_byte):
                    value = row[x + j] if x + j < width else 0
                    byte |= value << (8 - bpp * (j + 1))
                line.append(byte)
        line += bytes(stride - len(line))
        data += line
    return bytes(data)


def _info_header(width, height, bpp, image_size, colours_used):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bpp, 0, image_size,
                       2835, 2835, colours_used, colours_used)


def _palette_bytes(palette, entries):
    padded = list(palette) + [(0, 0, 0)] * (entries - len(palette))
    return b''.join(bytes((b, g, r, 0)) for r, g, b in padded)


def write_bmp(path, width, height, bpp, pixels, palette=()):
    """An uncompressed bottom-up DIB file; `pixels` are (r, g, b) rows for
    24 bits, else palette indices."""
    bits = _pack_rows(pixels, bpp, width)
    colours = len(palette) if bpp <= 8 else 0
    header = _info_header(width, height, bpp, len(bits), colours)
    table = _palette_bytes(palette, colours) if colours else b''
    offset = 14 + len(header) + len(table)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(bits), 0, 0, offset))
        f.write(header + table + bits)


def icon_image(rows, bpp, palette=None):
    """One icon image: (width, height, bpp, colour count, DIB bytes). Pixels
    less than half opaque become transparent (AND mask 1, colour black)."""
    size = len(rows)
    opaque = [[p[3] >= 128 for p in row] for row in rows]
    colour_rows = [[p[:3] for p in row] for row in rows]
    if bpp == 1:
        # Monochrome: black or white by brightness; transparent pixels black.
        palette = [(0, 0, 0), (255, 255, 255)]
        indices = [[1 if opaque[y][x] and sum(c) >= 3 * 128 else 0
                    for x, c in enumerate(row)] for y, row in enumerate(colour_rows)]
    else:
        if palette is None:
            counts = {}
            for y, row in enumerate(colour_rows):
                for x, c in enumerate(row):
                    if opaque[y][x]:
                        counts[c] = counts.get(c, 0) + 1
            # Black is kept for the transparent pixels (screen AND 1 XOR 0).
            palette = [(0, 0, 0)] + [c for c in quantise(counts, (1 << bpp) - 1) if c != (0, 0, 0)]
        indices = index_image(colour_rows, palette)
        for y in range(size):
            for x in range(size):
                if not opaque[y][x]:
                    indices[y][x] = palette.index((0, 0, 0))
    entries = 1 << bpp
    mask = [[0 if o else 1 for o in row] for row in opaque]
    xor = _pack_rows(indices, bpp, size)
    andmask = _pack_rows(mask, 1, size)
    header = _info_header(size, size * 2, bpp, len(xor) + len(andmask), 0)
    data = header + _palette_bytes(palette, entries) + xor + andmask
    return (size, size, bpp, entries if bpp < 8 else 0, data)


def write_ico(path, images):
    offset = 6 + 16 * len(images)
    directory = struct.pack('<HHH', 0, 1, len(images))
    for width, height, bpp, colours, data in images:
        directory += struct.pack('<BBBBHHII', width % 256, height % 256, colours % 256, 0,
                                 1, bpp, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(directory)
        for image in images:
            f.write(image[4])


# ---------------------------------------------------------------- icon drawings
# Each takes a canvas whose design square is 32 units wide and draws into
# it; `c.scale` tells the pixel size (0.5 for 16 x 16, 1.5 for 48 x 48) so
# that small images can drop details.

OUTLINE = rgb('#2b2f36')
PAPER = rgb('#ffffff')
PAPER_SHADE = rgb('#dfe4ea')
INK = rgb('#8a96a6')


def draw_printer(c):
    small = c.scale < 1.0
    # Input sheet standing in the rear tray.
    sheet = polygon([(10, 2), (23, 2), (24, 12), (9, 12)])
    c.outlined(sheet, vertical(PAPER, PAPER_SHADE, 2, 12), rgb('#69737f'))
    # Body: a lighter top face over a shaded front.
    top = polygon([(5, 10), (27, 10), (30, 15), (2, 15)])
    front = rect(2, 14, 30, 25, 1.5)
    c.fill(grow(union(top, front), c.px(1)), OUTLINE)
    c.fill(front, vertical(rgb('#eef0f3'), rgb('#aeb5bf'), 14, 25))
    c.fill(top, vertical(rgb('#fbfcfd'), rgb('#dde1e6'), 10, 15))
    # Feed slot, with the sheet going into it.
    c.fill(rect(8, 11, 24, 12.4), rgb('#4a515b'))
    c.fill(intersect(sheet, rect(9.6, 2, 23.4, 11)), vertical(PAPER, PAPER_SHADE, 2, 12))
    if not small:
        for y, x1 in ((5, 21), (7, 21), (9, 18)):
            c.fill(rect(12, y, x1, y + c.px(1)), INK)
    # Output slot and the printed sheet on the front tray.
    c.fill(rect(6, 18, 26, 20.2, 0.6), rgb('#353b44'))
    tray = polygon([(5, 24), (27, 24), (29.5, 30), (2.5, 30)])
    c.outlined(tray, vertical(rgb('#c6ccd4'), rgb('#8e97a3'), 24, 30), OUTLINE)
    printed = polygon([(7.5, 19.5), (24.5, 19.5), (26, 28.5), (6, 28.5)])
    c.outlined(printed, vertical(PAPER, rgb('#eef1f5'), 19.5, 28.5), rgb('#69737f'))
    if not small:
        for y, x1 in ((22.5, 22), (24.5, 23), (26.5, 19)):
            c.fill(rect(9.5, y, x1, y + c.px(1)), INK)
    else:
        c.fill(rect(9, 23, 22, 24), INK)
    # Power light.
    c.fill(circle(27, 17, 1.3 if small else 1.0), rgb('#2fbf4f'))


def draw_network(c):
    """Two computers joined through a hub."""
    small = c.scale < 1.0

    def monitor(x, y, w, h):
        frame = rect(x, y, x + w, y + h, 1.0)
        c.outlined(frame, vertical(rgb('#f1f3f6'), rgb('#b9c0ca'), y, y + h), OUTLINE)
        inset = 1.2 if small else 1.8
        screen = rect(x + inset, y + inset, x + w - inset, y + h - inset - 0.6, 0.3)
        c.fill(screen, vertical(rgb('#5aa7e6'), rgb('#1d5fa8'), y + inset, y + h - inset))
        if not small:
            c.fill(polygon([(x + inset, y + inset), (x + w * 0.55, y + inset), (x + inset, y + h * 0.6)]),
                   rgb('#ffffff'), 0.25)
        mid = x + w / 2.0
        stand = polygon([(mid - 2, y + h), (mid + 2, y + h), (mid + 3, y + h + 2.5), (mid - 3, y + h + 2.5)])
        c.outlined(stand, rgb('#9aa3ae'), OUTLINE)

    if small:
        # At 16 x 16: two screens on one cable, on whole pixels.
        c.fill(rect(4, 12, 10, 26), OUTLINE)
        c.fill(rect(22, 18, 28, 26), OUTLINE)
        c.fill(rect(4, 22, 28, 28), OUTLINE)
        for part in (rect(6, 14, 8, 26), rect(24, 20, 26, 26), rect(6, 24, 26, 26)):
            c.fill(part, rgb('#e0a21a'))
        for x, y in ((0, 2), (18, 8)):
            c.fill(rect(x, y, x + 14, y + 12), OUTLINE)
            c.fill(rect(x + 2, y + 2, x + 12, y + 10), vertical(rgb('#6fb5ee'), rgb('#1d5fa8'), y + 2, y + 10))
        c.fill(rect(12, 22, 20, 30), OUTLINE)
        c.fill(rect(14, 24, 18, 28), rgb('#3fae5a'))
        return
    cable = [(8.5, 15), (8.5, 28), (24, 28), (24, 21)]
    c.fill(grow(polyline(cable, 2.0), c.px(1)), OUTLINE)
    c.fill(polyline(cable, 2.0), rgb('#e0a21a'))
    monitor(1, 1, 15, 11.5)
    monitor(16.5, 7, 15, 11.5)
    hub = rect(11.5, 25, 20.5, 31, 1.0)
    c.outlined(hub, vertical(rgb('#7fd08f'), rgb('#2e8b45'), 25, 31), OUTLINE)
    if not small:
        for x in (14, 16, 18):
            c.fill(rect(x, 27.2, x + c.px(1.2), 28.4), rgb('#d9ffd9'))


def draw_disk(c):
    small = c.scale < 1.0
    body = polygon([(3, 3), (26, 3), (29, 6), (29, 29), (3, 29)])
    c.outlined(body, vertical(rgb('#3d6fb8'), rgb('#1f3f78'), 3, 29), OUTLINE)
    # Metal shutter with its window.
    shutter = rect(9, 3, 24, 13)
    c.outlined(shutter, vertical(rgb('#eef1f4'), rgb('#a3acb7'), 3, 13), rgb('#4a525c'))
    c.fill(rect(18, 5, 21.5, 11), rgb('#39414b'))
    # Label.
    label = rect(7, 17, 25, 29)
    c.outlined(label, vertical(rgb('#ffffff'), rgb('#e6eaef'), 17, 29), rgb('#4a525c'))
    if not small:
        for y in (21, 24):
            c.fill(rect(9.5, y, 22.5, y + c.px(1)), rgb('#9aa6b6'))
        c.fill(rect(7 + c.px(1), 17 + c.px(1), 25 - c.px(1), 18.6), rgb('#e05a4a'))
    else:
        c.fill(rect(7, 17, 25, 19), rgb('#e05a4a'))


def _port_parts():
    """The parallel-port plug seen from the front: the D-shaped shell with
    its pins, the flange with two thumbscrews, the moulded hood and the
    cable curving away. Pins sit on whole pixels at 32 x 32."""
    shell = polygon([(6, 2), (26, 2), (24, 11), (8, 11)])
    cavity = polygon([(8.3, 4), (23.7, 4), (22.6, 9), (9.4, 9)])
    pins = [rect(x, 5, x + 1, 6) for x in range(10, 23, 2)] + \
           [rect(x, 7, x + 1, 8) for x in range(11, 22, 2)]
    flange = rect(1, 11, 31, 16, 1.0)
    screws = [circle(x, 13.5, 2.5) for x in (4, 28)]
    hood = polygon([(5, 16), (27, 16), (24, 24), (8, 24)])
    relief = polygon([(12.5, 23), (19.5, 23), (18.5, 27), (13.5, 27)])
    cable = polyline([(16, 25), (16.4, 28), (18.5, 30), (22, 30.5), (32, 30.5)], 4.0)
    return shell, cavity, pins, flange, screws, hood, relief, cable


def draw_port(c):
    shell, cavity, pins, flange, screws, hood, relief, cable = _port_parts()
    c.outlined(cable, vertical(rgb('#8a939e'), rgb('#4b535d'), 28, 32), OUTLINE)
    c.outlined(relief, horizontal(rgb('#7a838e'), rgb('#3e4550'), 12.5, 19.5), OUTLINE)
    c.outlined(hood, vertical(rgb('#a9b1bb'), rgb('#5f6873'), 16, 24), OUTLINE)
    c.outlined(flange, vertical(rgb('#f2f4f6'), rgb('#a7afb9'), 11, 16), OUTLINE)
    for screw in screws:
        c.outlined(screw, radial(rgb('#ffffff'), rgb('#8d96a1'), screw[1][0] + 1.5, 12.5, 4.0), OUTLINE)
    c.outlined(shell, vertical(rgb('#f4f6f8'), rgb('#b5bcc6'), 2, 11), OUTLINE)
    c.fill(cavity, rgb('#2b313b'))
    for pin in pins:
        c.fill(pin, rgb('#f2c443'))


def draw_port_mono(c):
    # The monochrome image: white parts with black rims, a black cavity
    # with white pins.
    black, white = (0.0, 0.0, 0.0), (1.0, 1.0, 1.0)
    shell, cavity, pins, flange, screws, hood, relief, cable = _port_parts()
    for part in [cable, relief, hood, flange] + screws + [shell]:
        c.outlined(part, white, black)
    c.fill(cavity, black)
    for pin in pins:
        c.fill(pin, white)


def draw_setup(c):
    small = c.scale < 1.0
    # An open carton seen from the front-left, a disk rising out of it.
    back_flap = polygon([(9, 9), (25, 9), (27, 4), (13, 4)])
    c.outlined(back_flap, rgb('#c98f4a'), OUTLINE)
    inside = polygon([(3, 13), (19, 13), (29, 9), (13, 9)])
    c.fill(inside, rgb('#5a3a1c'))
    disk = polygon([(10, 1), (21, 1), (22, 2), (22, 13), (10, 13)])
    c.outlined(disk, vertical(rgb('#3d6fb8'), rgb('#24508f'), 1, 13), OUTLINE)
    c.fill(rect(13, 1, 19, 5), rgb('#d9dee4'))
    c.fill(rect(12.5, 8, 19.5, 13), rgb('#ffffff'))
    front = polygon([(3, 13), (19, 13), (19, 30), (3, 30)])
    c.outlined(front, vertical(rgb('#e2a961'), rgb('#c2823d'), 13, 30), OUTLINE)
    side = polygon([(19, 13), (29, 9), (29, 25), (19, 30)])
    c.outlined(side, vertical(rgb('#b9783a'), rgb('#8f5726'), 9, 30), OUTLINE)
    left_flap = polygon([(3, 13), (19, 13), (15, 18), (0.5, 18)])
    c.outlined(left_flap, rgb('#edbd7e'), OUTLINE)
    right_flap = polygon([(19, 13), (29, 9), (31.5, 13), (22, 17.5)])
    c.outlined(right_flap, rgb('#d49452'), OUTLINE)
    if not small:
        # Packing tape and a printed arrow on the front.
        c.fill(polygon([(9.5, 23), (12.5, 20), (15.5, 23), (13.5, 23), (13.5, 27), (11.5, 27), (11.5, 23)]),
               rgb('#7a4a1e'))


ICONS = [
    # (file, drawing, [(pixels, bits per pixel)] in the group's order)
    ('setup.ico', draw_setup, [(32, 4), (16, 4)]),
    ('printer.ico', draw_printer, [(48, 8), (32, 8), (16, 8)]),
    ('port.ico', draw_port, [(32, 1), (32, 4)]),
    ('network.ico', draw_network, [(48, 8), (32, 8), (16, 8)]),
    ('disk.ico', draw_disk, [(16, 4), (16, 8), (32, 4), (32, 8)]),
]

# Drawings for the 1-bit images, where shading cannot carry the shapes.
MONOCHROME = {'port.ico': draw_port_mono}


def render_icon(drawing, size):
    canvas = Canvas(size, size, size / 32.0)
    drawing(canvas)
    return canvas.rows()


def make_icons(out_dir):
    for name, drawing, images in ICONS:
        entries = []
        for size, bpp in images:
            draw = MONOCHROME.get(name, drawing) if bpp == 1 else drawing
            entries.append(icon_image(render_icon(draw, size), bpp))
        write_ico(os.path.join(out_dir, name), entries)


# ---------------------------------------------------------------- pictures

BAND_RIGHT = 168     # the decorated band ends here; page text starts near x = 186
FIELD = rgb('#f3f3f3')


def make_background(out_dir):
    """The page background, 500 x 310 at 24 bits: a blue band on the left
    with a printer, and a pale, almost even field where the page text sits."""
    width, height = 500, 310
    c = Canvas(width, height, 1.0)
    # The field under the page text is one flat colour between the dialog
    # face of Windows 7 (240) and of Wine (245): static controls paint their
    # own face-coloured boxes over it, and on a flat field close to that
    # colour the boxes do not show.
    c.fill(rect(-2, -2, width + 2, height + 2), FIELD)
    band_edge = lambda y: BAND_RIGHT - 10 * math.sin(math.pi * y / height)
    band_points = [(-2, -2)] + [(band_edge(y), y) for y in range(0, height + 1, 10)] + [(-2, height + 2)]
    band = polygon(band_points)
    # A soft shadow, then the band itself and a light rim along its edge.
    c.fill(grow(band, 5), rgb('#b7c6d8'), 0.25)
    c.fill(grow(band, 2.5), rgb('#b7c6d8'), 0.35)
    c.fill(band, lambda x, y: mix(rgb('#0f3a6e'), rgb('#2a79b8'), 0.8 * y / height + 0.2 * (1 - x / BAND_RIGHT)))
    edge = [(band_edge(y), y) for y in range(-10, height + 11, 10)]
    rim = intersect(polyline(edge, 5), band)
    c.fill(rim, rgb('#8cc4ee'), 0.8)
    # Quiet rings and dots in the band.
    clip = grow(band, -4)
    for r, w, o in ((150, 26, 0.05), (110, 14, 0.06), (75, 8, 0.07)):
        c.fill(intersect(ring(30, 300, r, w), clip), rgb('#ffffff'), o)
    c.fill(intersect(ring(150, -20, 90, 2), clip), rgb('#ffffff'), 0.10)
    # The printer, drawn from the icon's design at four times its size.
    c.fill(ellipse(84, 206, 58, 8), rgb('#06264d'), 0.35)
    printer = Canvas(128, 128, 4.0)
    draw_printer(printer)
    blit(c, printer, 20, 84)
    # Half a step of fixed noise keeps the long gradients free of bands.
    rng = random.Random(113)
    dithered = []
    for row in c.pixels_float():
        dithered.append([tuple(max(0, min(255, int(round(v * 255 + rng.uniform(-0.5, 0.5))))) for v in p)
                         for p in row])
    write_bmp(os.path.join(out_dir, 'background.bmp'), width, height, 24, dithered)


def blit(target, source, left, top):
    """Composites `source` over `target` with its top-left at (left, top)."""
    for y in range(source.height):
        for x in range(source.width):
            s = source.pixels[y * source.width + x]
            a = s[3]
            if a <= 0.0:
                continue
            t = target.pixels[(top + y) * target.width + left + x]
            below = t[3] * (1.0 - a)
            out = a + below
            for i in range(3):
                t[i] = (s[i] * a + t[i] * below) / out
            t[3] = out


def make_logo(out_dir):
    """The logo, 154 x 248 in 16 colours: the product mark on a blue panel."""
    width, height = 154, 248
    c = Canvas(width, height, 1.0)
    c.fill(rect(-1, -1, width + 1, height + 1), rgb('#ffffff'))
    panel = rect(4, 4, 150, 244, 18)
    c.fill(grow(panel, 2), rgb('#0b2f5c'))
    c.fill(panel, lambda x, y: mix(rgb('#2a79b8'), rgb('#0f3a6e'), y / height))
    # The mark: a sheet with a folded corner carrying a bold K.
    sheet = polygon([(37, 40), (99, 40), (117, 58), (117, 138), (37, 138)])
    c.fill(sheet, rgb('#ffffff'))
    c.fill(polygon([(99, 40), (117, 58), (99, 58)]), rgb('#b9d7f0'))
    k = union(rect(53, 58, 66, 122),
              polygon([(66, 92), (91, 58), (106, 58), (76, 96)]),
              polygon([(72, 88), (82, 83), (106, 122), (91, 122)]))
    c.fill(k, rgb('#0f3a6e'))
    # Three lines of print below the mark.
    for i, w in enumerate((80, 80, 52)):
        c.fill(rect(37, 160 + i * 16, 37 + w, 167 + i * 16, 3.5), rgb('#8cc4ee'))
    c.fill(rect(37, 214, 117, 222, 4), rgb('#f2c443'))
    rows = [[p[:3] for p in row] for row in c.rows()]
    counts = {}
    for row in rows:
        for p in row:
            counts[p] = counts.get(p, 0) + 1
    palette = quantise(counts, 16)
    indices = index_image(rows, palette, dither=18)
    write_bmp(os.path.join(out_dir, 'logo.bmp'), width, height, 4, indices, palette)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else HERE
    make_icons(out_dir)
    make_background(out_dir)
    make_logo(out_dir)


if __name__ == '__main__':
    main()
