"""The 1207 by 670 launcher picture, its round window buttons and its link strips.

The launcher window is layered, so everything outside the rounded body stays
transparent apart from its shadow. The login panel covers (547, 177) to
(1110, 555) once the landing page has loaded; until then the framed dark
area there is what the player sees.
"""
import random

from PIL import ImageChops, ImageFilter

from . import palette as pal
from .icons import emblem
from .paint import Mask, canvas, font, glow, gradient, paint, text, text_mask

SIZE = (1207, 670)
BODY = (30, 40, 1150, 620)
BODY_RADIUS = 16
LOGIN = (547, 177, 1110, 555)
NAV_BAND = (558, 126, 1102, 163)
ROUND_BUTTON = (45, 48)
LINK = (71, 21)


def _sky():
    sky = gradient(SIZE, [(0.05, (8, 10, 34, 255)), (0.45, (22, 22, 74, 255)),
                          (0.8, (52, 30, 96, 255)), (0.95, (86, 44, 120, 255))])
    horizon = Mask(SIZE).ellipse((-200, 430, 900, 760)).result().filter(ImageFilter.GaussianBlur(60))
    paint(sky, (170, 84, 170, 255), horizon, opacity=0.45)
    _aurora(sky)
    return sky


def _aurora(sky):
    for (x0, x1, y, amp, thick, colour) in (
            (30, 900, 92, 26, 40, (70, 150, 220, 255)),
            (60, 760, 150, 20, 30, (150, 90, 220, 255))):
        top, bottom = [], []
        for i in range(41):
            x = x0 + (x1 - x0) * i / 40
            wave = amp * ((i % 8) / 8 - 0.5) * (1 if (i // 8) % 2 else -1)
            top.append((x, y + wave))
            bottom.append((x, y + wave + thick * (0.4 + 0.6 * abs(20 - i) / 20)))
        band = Mask(SIZE).polygon(top + bottom[::-1]).result().filter(ImageFilter.GaussianBlur(22))
        paint(sky, colour, band, opacity=0.5)


def _stars(image, rng):
    """One mask for all stars, each drawn with its brightness as coverage."""
    lx0, ly0, lx1, ly1 = LOGIN
    dots = Mask(SIZE)
    for _ in range(320):
        x = rng.uniform(BODY[0] + 8, BODY[2] - 8)
        y = rng.uniform(BODY[1] + 8, 470)
        r = rng.choice((0.45, 0.55, 0.7, 0.9, 1.2))
        brightness = rng.randint(110, 255)
        if not (lx0 - 10 < x < lx1 + 10 and ly0 - 10 < y < ly1 + 10):
            dots.ellipse((x - r, y - r, x + r, y + r), value=brightness)
    paint(image, pal.STAR, dots.result())
    sparkles = Mask(SIZE)
    for _ in range(11):
        x = rng.uniform(BODY[0] + 30, lx0 - 30)
        y = rng.uniform(BODY[1] + 30, 320)
        arm = rng.uniform(4, 8)
        (sparkles.line([(x - arm, y), (x + arm, y)], 0.8).line([(x, y - arm), (x, y + arm)], 0.8)
         .ellipse((x - 1.4, y - 1.4, x + 1.4, y + 1.4)))
    sparkle_mask = sparkles.result()
    glow(image, sparkle_mask, pal.GOLD_LIGHT, 3)
    paint(image, pal.STAR, sparkle_mask)


def _moon(image):
    cx, cy, r = 168, 150, 48
    halo = Mask(SIZE).ellipse((cx - r, cy - r, cx + r, cy + r)).result()
    glow(image, halo, (255, 226, 170, 255), 46, opacity=0.8)
    glow(image, halo, (255, 236, 190, 255), 12)
    paint(image, gradient(SIZE, [(0.12, (255, 248, 226, 255)), (0.3, (246, 214, 150, 255))]), halo)
    for dx, dy, cr in ((-14, -10, 9), (12, 8, 12), (-6, 22, 6), (20, -18, 5)):
        crater = Mask(SIZE).ellipse((cx + dx - cr, cy + dy - cr, cx + dx + cr, cy + dy + cr)).result()
        paint(image, (196, 150, 92, 255), crater, opacity=0.22)


def _ridge(rng, x0, x1, peaks, jitter):
    points = [(x0, BODY[3])]
    for i, (x, y) in enumerate(peaks):
        points.append((x, y + rng.uniform(-jitter, jitter) if 0 < i < len(peaks) - 1 else y))
    points.append((x1, BODY[3]))
    return Mask(SIZE).polygon(points).result()


def _castle():
    mask = Mask(SIZE)
    mask.polygon([(120, 620), (165, 500), (215, 470), (300, 462), (380, 470),
                  (440, 505), (520, 620)])
    mask.rounded((212, 420, 414, 478), 0)
    for x in range(212, 414, 14):
        mask.rounded((x, 412, x + 8, 421), 0)
    for cx, w, top, roof in ((230, 34, 378, 46), (292, 46, 328, 74),
                             (352, 30, 392, 42), (396, 22, 418, 30)):
        mask.rounded((cx - w / 2, top, cx + w / 2, 470), 0)
        mask.polygon([(cx - w / 2 - 4, top + 1), (cx, top - roof), (cx + w / 2 + 4, top + 1)])
        mask.line([(cx, top - roof), (cx, top - roof - 9)], 1.2)
    return mask.result()


def _castle_windows():
    mask = Mask(SIZE)
    for x, y in ((286, 352), (298, 352), (286, 384), (298, 384), (225, 400),
                 (235, 400), (348, 412), (392, 436), (262, 442), (322, 442), (372, 446)):
        mask.rounded((x - 2.5, y - 5, x + 2.5, y + 5), 2.5)
    return mask.result()


def _landscape(image, rng):
    far = _ridge(rng, BODY[0], BODY[2], [(30, 500), (120, 455), (210, 490), (330, 430),
                                                (450, 480), (560, 445), (700, 500), (820, 460),
                                                (960, 505), (1060, 470), (1150, 500)], 12)
    paint(image, (52, 40, 108, 255), far)
    near = _ridge(rng, BODY[0], BODY[2], [(30, 560), (100, 530), (220, 575), (520, 548),
                                                 (700, 585), (880, 560), (1020, 590),
                                                 (1150, 565)], 8)
    castle = _castle()
    glow(image, castle, (150, 110, 230, 255), 12, opacity=0.6)
    paint(image, (14, 11, 36, 255), castle)
    windows = _castle_windows()
    glow(image, windows, pal.GOLD, 5)
    paint(image, pal.GOLD_LIGHT, windows)
    paint(image, (10, 8, 28, 255), near)


def _logo(image):
    face = font("serif-bold", 60)
    centre = (288, 556)
    mask = text_mask(SIZE, centre, "Valdris3", face, spacing=2)
    glow(image, mask, pal.SHADOW, 8, offset=(0, 3))
    glow(image, mask, pal.GOLD, 14, opacity=0.55)
    box = mask.getbbox()
    fill = gradient(SIZE, [(box[1] / SIZE[1], pal.GOLD_PALE), (box[3] / SIZE[1], pal.GOLD_DARK)])
    paint(image, fill, mask)
    underline = Mask(SIZE).polygon([(140, 596), (288, 592), (436, 596), (288, 600)]).result()
    paint(image, pal.GOLD, underline, opacity=0.8)


def _login_area(image):
    x0, y0, x1, y1 = LOGIN
    outer = (x0 - 6, y0 - 6, x1 + 6, y1 + 6)
    backdrop = Mask(SIZE).rounded(outer, 6).result()
    glow(image, backdrop, pal.SHADOW, 12, offset=(0, 4))
    paint(image, gradient(SIZE, [(y0 / SIZE[1], (16, 18, 52, 255)), (y1 / SIZE[1], (8, 9, 28, 255))]),
          backdrop)
    paint(image, gradient(SIZE, [(y0 / SIZE[1], pal.GOLD_LIGHT), (y1 / SIZE[1], pal.GOLD_DARK)]),
          Mask(SIZE).frame(outer, 6, 1.6).result())
    for cx, cy in ((outer[0], outer[1]), (outer[2], outer[1]), (outer[0], outer[3]),
                   (outer[2], outer[3])):
        paint(image, pal.GOLD_LIGHT,
              Mask(SIZE).polygon([(cx - 6, cy), (cx, cy - 6), (cx + 6, cy), (cx, cy + 6)]).result())
    # A watermark of the emblem: its bright parts (ring and 'V') in faint gold.
    mark = emblem(150)
    shine = ImageChops.multiply(mark.convert("L"), mark.getchannel("A"))
    watermark = canvas(SIZE)
    watermark.paste(pal.GOLD, (round((x0 + x1) / 2 - 75), round((y0 + y1) / 2 - 75)), shine)
    paint(image, watermark, opacity=0.22)


def _nav_band(image):
    x0, y0, x1, y1 = NAV_BAND
    band = Mask(SIZE).rounded(NAV_BAND, 6).result()
    paint(image, (6, 8, 28, 255), band, opacity=0.62)
    for y in (y0, y1 - 1):
        line = Mask(SIZE).rounded((x0 + 6, y, x1 - 6, y + 1), 0).result()
        paint(image, gradient(SIZE, [(x0 / SIZE[0], pal.with_alpha(pal.GOLD, 0)),
                                     (0.5 * (x0 + x1) / SIZE[0], pal.with_alpha(pal.GOLD, 200)),
                                     (x1 / SIZE[0], pal.with_alpha(pal.GOLD, 0))], horizontal=True),
              line)
    cx, cy = 815.5, 144.5
    ornament = (Mask(SIZE).polygon([(cx - 7, cy), (cx, cy - 7), (cx + 7, cy), (cx, cy + 7)])
                .polygon([(cx - 3, cy), (cx, cy - 3), (cx + 3, cy), (cx, cy + 3)], value=0)
                .line([(cx - 48, cy), (cx - 12, cy)], 1).line([(cx + 12, cy), (cx + 48, cy)], 1)
                .result())
    glow(image, ornament, pal.GOLD, 3, opacity=0.8)
    paint(image, pal.GOLD_LIGHT, ornament)


def _frame(image):
    ring = Mask(SIZE).frame(BODY, BODY_RADIUS, 2).result()
    paint(image, gradient(SIZE, [(BODY[1] / SIZE[1], pal.GOLD_LIGHT),
                                 (0.5, pal.GOLD), (BODY[3] / SIZE[1], pal.GOLD_DARK)]), ring)
    x0, y0, x1, y1 = BODY
    inner = Mask(SIZE).frame((x0 + 3, y0 + 3, x1 - 3, y1 - 3), BODY_RADIUS - 3, 1).result()
    paint(image, (255, 255, 255, 34), inner)


def background():
    rng = random.Random(20240611)  # fixed, so regenerating gives identical files
    body = Mask(SIZE).rounded(BODY, BODY_RADIUS).result()
    scene = _sky()
    _stars(scene, rng)
    _moon(scene)
    _landscape(scene, rng)
    centre = (BODY[0] + 40, BODY[1] + 30, BODY[2] - 40, BODY[3] - 20)
    vignette = Mask(SIZE).rounded(centre, 80).result().filter(ImageFilter.GaussianBlur(50))
    paint(scene, pal.NIGHT_DEEP, vignette.point(lambda v: 255 - v), opacity=0.55)
    _logo(scene)
    _nav_band(scene)
    _login_area(scene)
    scene.putalpha(body)
    image = canvas(SIZE)
    glow(image, body, pal.SHADOW, 12, opacity=0.9, offset=(0, 6))
    glow(image, body, pal.GOLD, 6, opacity=0.35)
    image.alpha_composite(scene)
    _frame(image)
    return image


def _round_glyph(kind):
    cx, cy = 22.5, 24
    if kind == "close":
        return (Mask(ROUND_BUTTON).line([(cx - 5.5, cy - 5.5), (cx + 5.5, cy + 5.5)], 2)
                .line([(cx + 5.5, cy - 5.5), (cx - 5.5, cy + 5.5)], 2).result())
    return Mask(ROUND_BUTTON).line([(cx - 6, cy + 1), (cx + 6, cy + 1)], 2.2).result()


def round_button_strip(kind):
    """The launcher's minimize or close button: at rest on the left, lit on the right."""
    w, h = ROUND_BUTTON
    strip = canvas((2 * w, h))
    disc_box = (7.5, 9, 37.5, 39)
    disc = Mask(ROUND_BUTTON).ellipse(disc_box).result()
    ring = (Mask(ROUND_BUTTON).ellipse(disc_box)
            .ellipse((9, 10.5, 36, 37.5), value=0).result())
    glyph = _round_glyph(kind)
    for half, lit in ((0, False), (1, True)):
        image = canvas(ROUND_BUTTON)
        glow(image, disc, pal.SHADOW, 3, opacity=0.7, offset=(0, 1))
        if lit:
            glow(image, disc, pal.GOLD, 5, opacity=0.7)
            face = [(0, pal.CRIMSON), (1, pal.CRIMSON_DARK)] if kind == "close" else \
                [(0, (70, 60, 150, 255)), (1, (30, 28, 82, 255))]
        else:
            face = [(0, (34, 34, 90, 235)), (1, (12, 12, 40, 235))]
        paint(image, gradient(ROUND_BUTTON, face), disc)
        paint(image, pal.GOLD_LIGHT if lit else pal.with_alpha(pal.GOLD, 190), ring)
        paint(image, pal.WHITE if lit else pal.TEXT_LIGHT, glyph)
        strip.paste(image, (half * w, 0))
    return strip


def link_strip(caption):
    """A launcher link on the navigation band: at rest on the left, lit on the right."""
    w, h = LINK
    strip = canvas((2 * w, h))
    face = font("sans", 14)
    centre = (w / 2, 10)
    normal = canvas(LINK)
    text(normal, centre, caption, face, (228, 212, 170, 255),
         shadow=(pal.with_alpha(pal.SHADOW, 230), (0, 1)))
    hover = canvas(LINK)
    mask = text(hover, centre, caption, face, pal.GOLD_PALE, halo=(pal.GOLD, 3))
    left, _top, right, _bottom = mask.getbbox()
    underline = Mask(LINK).rounded((left, 18, right, 19), 0).result()
    paint(hover, pal.GOLD_LIGHT, underline)
    strip.paste(normal, (0, 0))
    strip.paste(hover, (w, 0))
    return strip
