"""Drawing primitives: fonts, anti-aliased masks, gradients, glows and text.

PIL draws shapes without anti-aliasing, so shapes are drawn into masks at
SCALE times the final size and reduced with Lanczos. Text is rendered at the
final size, where FreeType's own anti-aliasing keeps small captions crisp.
"""
import functools
import os

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SCALE = 4
FONT_ROOT = "/usr/share/fonts"
FONT_FILES = {
    "sans": "NotoSansCJK-Regular.ttc",
    "sans-bold": "NotoSansCJK-Bold.ttc",
    "serif": "NotoSerifCJK-Regular.ttc",
    "serif-bold": "NotoSerifCJK-Bold.ttc",
}


class MissingFont(SystemExit):
    pass


@functools.lru_cache(maxsize=None)
def _font_path(file_name):
    for root, _dirs, files in os.walk(FONT_ROOT):
        if file_name in files:
            return os.path.join(root, file_name)
    raise MissingFont(f"{file_name} not found under {FONT_ROOT}; "
                      "install the Debian package fonts-noto-cjk")


@functools.lru_cache(maxsize=None)
def font(style, size):
    """The Simplified Chinese face of a Noto CJK collection at a pixel size."""
    path = _font_path(FONT_FILES[style])
    # The order of faces inside the collection differs between releases.
    for index in range(32):
        try:
            face = ImageFont.truetype(path, size, index=index,
                                      layout_engine=ImageFont.Layout.BASIC)
        except OSError:
            break
        if face.getname()[0].endswith(" SC"):
            return face
    raise MissingFont(f"{path} has no Simplified Chinese face")


def _scaled_box(box):
    x0, y0, x1, y1 = box
    return (x0 * SCALE, y0 * SCALE, x1 * SCALE - 1, y1 * SCALE - 1)


def _scaled_points(points):
    return [(x * SCALE, y * SCALE) for x, y in points]


class Mask:
    """A coverage mask drawn in final-pixel coordinates at SCALE resolution.

    Boxes are (left, top, right, bottom) with right and bottom exclusive, so
    (0, 0, w, h) covers the whole image. Each method returns the mask, so
    calls chain; value 0 cuts a hole.
    """

    def __init__(self, size):
        self.size = size
        self.image = Image.new("L", (size[0] * SCALE, size[1] * SCALE), 0)
        self.draw = ImageDraw.Draw(self.image)

    def rounded(self, box, radius, value=255):
        self.draw.rounded_rectangle(_scaled_box(box), radius=radius * SCALE, fill=value)
        return self

    def frame(self, box, radius, width):
        """A rounded outline of the given width, inside the box."""
        x0, y0, x1, y1 = box
        self.rounded(box, radius)
        inner = (x0 + width, y0 + width, x1 - width, y1 - width)
        return self.rounded(inner, max(radius - width, 0), value=0)

    def ellipse(self, box, value=255):
        self.draw.ellipse(_scaled_box(box), fill=value)
        return self

    def polygon(self, points, value=255):
        self.draw.polygon(_scaled_points(points), fill=value)
        return self

    def line(self, points, width, value=255):
        scaled = _scaled_points(points)
        self.draw.line(scaled, fill=value, width=round(width * SCALE), joint="curve")
        # Round caps, which PIL's lines lack.
        r = width * SCALE / 2
        for x, y in (scaled[0], scaled[-1]):
            self.draw.ellipse((x - r, y - r, x + r, y + r), fill=value)
        return self

    def arc(self, box, start, end, width, value=255):
        self.draw.arc(_scaled_box(box), start, end, fill=value, width=round(width * SCALE))
        return self

    def result(self):
        return self.image.resize(self.size, Image.LANCZOS)


def canvas(size):
    """A fully transparent RGBA image."""
    return Image.new("RGBA", size, (0, 0, 0, 0))


def _lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def _colour_at(stops, t):
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return _lerp(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 1)
    return stops[-1][1]


def gradient(size, stops, horizontal=False):
    """A linear gradient; stops are (position 0..1, RGBA) in increasing order."""
    w, h = size
    n = w if horizontal else h
    strip = Image.new("RGBA", (n, 1) if horizontal else (1, n))
    for i in range(n):
        colour = _colour_at(stops, (i + 0.5) / n)
        strip.putpixel((i, 0) if horizontal else (0, i), colour)
    return strip.resize(size, Image.NEAREST)


def multiply_alpha(mask, opacity):
    if opacity >= 1:
        return mask
    return mask.point(lambda v: round(v * opacity))


def paint(image, source, mask=None, opacity=1.0, offset=(0, 0)):
    """Composites a colour or an RGBA image (of the target's size) through a mask."""
    if isinstance(source, tuple):
        layer = Image.new("RGBA", image.size, source)
    else:
        layer = source.copy()
    alpha = layer.getchannel("A")
    if mask is not None:
        alpha = ImageChops.multiply(alpha, mask)
    layer.putalpha(multiply_alpha(alpha, opacity))
    if offset != (0, 0):
        shifted = Image.new("RGBA", image.size, (0, 0, 0, 0))
        shifted.paste(layer, offset)
        layer = shifted
    image.alpha_composite(layer)


def glow(image, mask, colour, radius, opacity=1.0, offset=(0, 0)):
    """A soft halo (or, in a dark colour, a shadow) of a mask's shape."""
    blurred = mask.filter(ImageFilter.GaussianBlur(radius))
    paint(image, colour, blurred, opacity, offset)


def text_mask(size, xy, text, face, anchor="mm", spacing=0):
    mask = Image.new("L", size, 0)
    draw = ImageDraw.Draw(mask)
    if spacing:
        _draw_spaced(draw, xy, text, face, anchor, spacing)
    else:
        draw.text(xy, text, font=face, fill=255, anchor=anchor)
    return mask


def _draw_spaced(draw, xy, text, face, anchor, spacing):
    """Letter-spaced text; only the horizontal part of the anchor may be 'm' or 'l'."""
    widths = [face.getlength(ch) for ch in text]
    total = sum(widths) + spacing * (len(text) - 1)
    x = xy[0] - total / 2 if anchor[0] == "m" else xy[0]
    for ch, w in zip(text, widths):
        draw.text((x, xy[1]), ch, font=face, fill=255, anchor="l" + anchor[1])
        x += w + spacing


def text(image, xy, words, face, fill, anchor="mm", halo=None, shadow=None, spacing=0):
    """Draws text; halo is (colour, radius), shadow is (colour, (dx, dy))."""
    mask = text_mask(image.size, xy, words, face, anchor, spacing)
    if halo:
        glow(image, mask, halo[0], halo[1])
    if shadow:
        paint(image, shadow[0], mask, offset=shadow[1])
    paint(image, fill, mask)
    return mask
