"""The game-mode caption bar: background, 25-pixel window buttons and link strips."""
import math

from . import palette as pal
from .paint import Mask, canvas, font, glow, gradient, paint, text

BUTTON = (25, 25)
LINK_HEIGHT = 22
GLYPH_NORMAL = (206, 200, 228, 255)


def background():
    """Stretched across the window width, so it varies only from top to bottom."""
    size = (1366, 25)
    image = gradient(size, [(0, (34, 40, 96, 255)), (0.55, (20, 24, 64, 255)),
                            (1, (12, 14, 40, 255))])
    paint(image, gradient(size, [(0, pal.with_alpha(pal.NIGHT_VIOLET, 150)),
                                 (0.35, pal.with_alpha(pal.NIGHT_VIOLET, 0))], horizontal=True))
    paint(image, (255, 255, 255, 26), Mask(size).rounded((0, 0, 1366, 1), 0).result())
    paint(image, pal.with_alpha(pal.GOLD, 150), Mask(size).rounded((0, 24, 1366, 25), 0).result())
    return image


def _glyph_close(dy):
    return (Mask(BUTTON).line([(8.5, 8.5 + dy), (16.5, 16.5 + dy)], 1.7)
            .line([(16.5, 8.5 + dy), (8.5, 16.5 + dy)], 1.7).result())


def _glyph_maximize(dy):
    return (Mask(BUTTON).frame((7, 7 + dy, 18, 18 + dy), 1.5, 1.4)
            .rounded((7, 7 + dy, 18, 9.5 + dy), 1).result())


def _glyph_restore(dy):
    back, front = (9.5, 6 + dy, 19, 15.5 + dy), (6, 9.5 + dy, 15.5, 19 + dy)
    return (Mask(BUTTON).frame(back, 1.5, 1.3).rounded(front, 1.5, value=0)
            .frame(front, 1.5, 1.4).rounded((6, 9.5 + dy, 15.5, 11.5 + dy), 1).result())


def _glyph_minimize(dy):
    return Mask(BUTTON).line([(7.5, 16 + dy), (17.5, 16 + dy)], 1.8).result()


def _glyph_fullscreen(dy):
    mask = Mask(BUTTON)
    lo, hi, arm = 7, 18, 3.6
    for x, sx in ((lo, 1), (hi, -1)):
        for y, sy in ((lo + dy, 1), (hi + dy, -1)):
            mask.line([(x, y + sy * arm), (x, y), (x + sx * arm, y)], 1.7)
    return mask.result()


def _glyph_tool(dy):
    cx, cy = 12.5, 12.5 + dy
    mask = Mask(BUTTON).ellipse((cx - 4.6, cy - 4.6, cx + 4.6, cy + 4.6))
    for k in range(8):
        a = math.radians(k * 45)
        spread = math.radians(14)
        pts = [(cx + r * math.cos(a + s), cy + r * math.sin(a + s))
               for r, s in ((4, -spread * 1.3), (6.6, -spread), (6.6, spread), (4, spread * 1.3))]
        mask.polygon(pts)
    return mask.ellipse((cx - 2, cy - 2, cx + 2, cy + 2), value=0).result()


GLYPHS = {
    "close": _glyph_close,
    "maximize": _glyph_maximize,
    "restore": _glyph_restore,
    "minimize": _glyph_minimize,
    "fullscreen": _glyph_fullscreen,
    "tool": _glyph_tool,
}


def window_button(glyph, state):
    """State is normal, hover or pressed; the close button turns crimson under the mouse."""
    image = canvas(BUTTON)
    pressed = state == "pressed"
    plate = Mask(BUTTON).rounded((2, 2, 23, 23), 4).result()
    shape = GLYPHS[glyph](1 if pressed else 0)
    if state == "normal":
        glow(image, shape, pal.with_alpha(pal.SHADOW, 200), 1.2)
        paint(image, GLYPH_NORMAL, shape)
        return image
    if glyph == "close":
        paint(image, pal.CRIMSON_DARK if pressed else pal.CRIMSON, plate)
        paint(image, (255, 255, 255, 60), Mask(BUTTON).frame((2, 2, 23, 23), 4, 1).result())
        paint(image, pal.WHITE, shape)
        return image
    paint(image, pal.with_alpha(pal.GOLD, 90 if pressed else 48), plate)
    paint(image, pal.with_alpha(pal.GOLD, 150), Mask(BUTTON).frame((2, 2, 23, 23), 4, 1).result())
    if not pressed:
        glow(image, shape, pal.with_alpha(pal.GOLD, 220), 1.5)
    paint(image, pal.GOLD if pressed else pal.GOLD_LIGHT, shape)
    return image


def link_strip(width, caption):
    """Left half: the link at rest; right half: under the mouse."""
    size = (width, LINK_HEIGHT)
    strip = canvas((2 * width, LINK_HEIGHT))
    face = font("sans", 12)
    centre = (width / 2, 11)
    normal = canvas(size)
    text(normal, centre, caption, face, (226, 210, 166, 255),
         shadow=(pal.with_alpha(pal.SHADOW, 220), (0, 1)))
    hover = canvas(size)
    pill = (1, 2, width - 1, 20)
    paint(hover, pal.with_alpha(pal.GOLD, 44), Mask(size).rounded(pill, 9).result())
    paint(hover, pal.with_alpha(pal.GOLD, 170), Mask(size).frame(pill, 9, 1).result())
    text(hover, centre, caption, face, pal.GOLD_PALE, halo=(pal.with_alpha(pal.GOLD, 160), 2))
    strip.paste(normal, (0, 0))
    strip.paste(hover, (width, 0))
    return strip
