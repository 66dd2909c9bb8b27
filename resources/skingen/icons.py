"""The game emblem and the icon files built from it."""
import struct

from . import palette as pal
from .paint import Mask, canvas, glow, gradient, paint

ICON_SIZES = (48, 32, 24, 16)


def _v_mark(size, x0, y0, w, h):
    """The chevron 'V' of the emblem inside the box (x0, y0, w, h)."""
    def at(u, v):
        return (x0 + u * w, y0 + v * h)
    return Mask(size).polygon([at(0, 0), at(0.33, 0), at(0.5, 0.62), at(0.67, 0),
                               at(1, 0), at(0.54, 1), at(0.46, 1)]).result()


def emblem(n):
    """The round night-sky badge with a gold ring, crescent and 'V', n pixels square."""
    size = (n, n)
    image = canvas(size)
    ring = max(1.0, n / 16)
    disc = Mask(size).ellipse((0, 0, n, n)).result()
    paint(image, gradient(size, [(0, pal.GOLD_LIGHT), (1, pal.GOLD_DARK)]), disc)
    inner = Mask(size).ellipse((ring, ring, n - ring, n - ring)).result()
    paint(image, gradient(size, [(0, pal.NIGHT_VIOLET), (0.55, pal.NIGHT_MID),
                                 (1, pal.NIGHT_DEEP)]), inner)
    if n >= 24:
        crescent = (Mask(size).ellipse((n * 0.14, n * 0.12, n * 0.62, n * 0.60))
                    .ellipse((n * 0.24, n * 0.06, n * 0.72, n * 0.54), value=0).result())
        paint(image, pal.with_alpha(pal.GOLD_PALE, 150), crescent)
        glow(image, inner, pal.with_alpha(pal.NIGHT_DEEP, 160), n / 12)
        paint(image, gradient(size, [(0, pal.GOLD_DARK), (1, pal.GOLD)]),
              Mask(size).frame((0, 0, n, n), n / 2, ring).result())
    mark = _v_mark(size, n * 0.22, n * 0.30, n * 0.56, n * 0.46)
    if n >= 24:
        glow(image, mark, pal.with_alpha(pal.GOLD, 200), n / 20)
    paint(image, gradient(size, [(0.3, pal.GOLD_PALE), (0.8, pal.GOLD)]), mark)
    return image


def uninstall_emblem(n):
    """The emblem with a red removal badge in its lower right corner."""
    image = emblem(n)
    size = (n, n)
    d = n * 0.5
    box = (n - d, n - d, n, n)
    badge = Mask(size).ellipse(box).result()
    glow(image, badge, pal.SHADOW, max(1, n / 24), opacity=0.8)
    paint(image, gradient(size, [(0.5, pal.CRIMSON), (1, pal.CRIMSON_DARK)]), badge)
    bar = max(1.5, n / 14)
    cy = n - d / 2
    minus = Mask(size).rounded((n - d * 0.78, cy - bar / 2, n - d * 0.22, cy + bar / 2),
                               bar / 2).result()
    paint(image, pal.WHITE, minus)
    return image


def ico_bytes(images):
    """An .ico file holding each RGBA image as a 32-bit DIB with its AND mask."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for image in images:
        w, h = image.size
        blob = _dib(image)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                                   len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def _dib(image):
    w, h = image.size
    mask_stride = ((w + 31) // 32) * 4
    pixels = bytearray()
    mask = bytearray()
    for y in reversed(range(h)):
        row_bits = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = image.getpixel((x, y))
            pixels += bytes((b, g, r, a))
            if a == 0:
                row_bits[x // 8] |= 0x80 >> (x % 8)
        mask += row_bits
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)
