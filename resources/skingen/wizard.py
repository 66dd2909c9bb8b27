"""The uninstall wizard's images.

The wizard's face is the toolkit's light default background with an orange
title strip, so these pieces carry the night-sky theme as accents that read
on a light ground: navy and gold buttons, a navy speech bubble, a night-cat
mascot.
"""
import math

from . import palette as pal
from .paint import Mask, canvas, font, glow, gradient, paint, text

CLOSE = (25, 25)
MASCOT = (129, 150)
BUBBLE = (161, 50)
CHECK = (12, 12)
BUTTON = (74, 21)
PLEA = "你真的忍心抛弃我吗？"


def close_button(state):
    """A white cross on the orange title strip; crimson plate under the mouse."""
    image = canvas(CLOSE)
    pressed = state == "pressed"
    dy = 1 if pressed else 0
    cross = (Mask(CLOSE).line([(8.5, 8.5 + dy), (16.5, 16.5 + dy)], 1.8)
             .line([(16.5, 8.5 + dy), (8.5, 16.5 + dy)], 1.8).result())
    if state == "normal":
        glow(image, cross, (150, 80, 10, 255), 1, opacity=0.6, offset=(0, 1))
    else:
        plate = Mask(CLOSE).rounded((1, 1, 24, 24), 4).result()
        paint(image, pal.CRIMSON_DARK if pressed else pal.CRIMSON, plate)
    paint(image, pal.WHITE, cross)
    return image


def _mascot_body(size):
    ears = (Mask(size).polygon([(20, 64), (26, 16), (58, 46)])
            .polygon([(109, 64), (103, 16), (71, 46)]))
    return ears.ellipse((12, 34, 117, 134)).result()


def mascot():
    """A crying night-cat spirit with a gold crescent on its brow."""
    size = MASCOT
    image = canvas(size)
    shadow = Mask(size).ellipse((22, 132, 107, 146)).result()
    paint(image, pal.with_alpha(pal.NIGHT_DEEP, 70), shadow)
    tail = Mask(size).arc((86, 70, 128, 134), 200, 80, 7).result()
    paint(image, pal.NIGHT_PURPLE, tail)
    tip = Mask(size).polygon(_star_points(118, 75, 9, 4)).result()
    glow(image, tip, pal.GOLD, 2.5)
    paint(image, pal.GOLD_LIGHT, tip)
    body = _mascot_body(size)
    paint(image, gradient(size, [(0.15, (110, 80, 190, 255)), (0.55, (52, 46, 130, 255)),
                                 (0.9, (26, 26, 78, 255))]), body)
    inner_ears = (Mask(size).polygon([(27, 54), (30, 27), (49, 45)])
                  .polygon([(102, 54), (99, 27), (80, 45)]).result())
    paint(image, (214, 130, 190, 255), inner_ears, opacity=0.7)
    paint(image, (255, 255, 255, 40), Mask(size).ellipse((30, 44, 78, 76)).result())
    paint(image, (236, 226, 250, 255), Mask(size).ellipse((36, 96, 93, 132)).result(), opacity=0.35)
    crescent = (Mask(size).ellipse((55, 38, 75, 58)).ellipse((60, 35, 80, 55), value=0).result())
    glow(image, crescent, pal.GOLD, 2)
    paint(image, pal.GOLD_LIGHT, crescent)
    _face(image, size)
    for box in ((30, 124, 52, 138), (77, 124, 99, 138)):
        paint(image, (40, 36, 104, 255), Mask(size).ellipse(box).result())
        paint(image, (255, 255, 255, 50), Mask(size).ellipse((box[0] + 4, box[1] + 2, box[2] - 4, box[1] + 7)).result())
    return image


def _face(image, size):
    for cx in (45, 84):
        eye = Mask(size).ellipse((cx - 12, 66, cx + 12, 92)).result()
        paint(image, pal.WHITE, eye)
        paint(image, (20, 18, 54, 255), Mask(size).ellipse((cx - 8, 71, cx + 8, 91)).result())
        paint(image, pal.WHITE, Mask(size).ellipse((cx - 5, 73, cx + 1, 79)).result())
        paint(image, pal.WHITE, Mask(size).ellipse((cx + 2, 83, cx + 5, 86)).result())
        tear = Mask(size).polygon([(cx - 9, 90), (cx - 3, 90), (cx - 2, 112), (cx - 10, 116)])
        tear.ellipse((cx - 12, 110, cx - 1, 122))
        paint(image, (120, 200, 255, 255), tear.result(), opacity=0.85)
        paint(image, (230, 246, 255, 255), Mask(size).ellipse((cx - 9, 112, cx - 6, 116)).result())
    brows = (Mask(size).line([(33, 62), (50, 57)], 2.2).line([(96, 62), (79, 57)], 2.2).result())
    paint(image, (30, 24, 70, 255), brows)
    mouth = Mask(size).arc((57, 98, 72, 110), 200, 340, 2).result()
    paint(image, (30, 24, 70, 255), mouth)
    for cx in (33, 96):
        paint(image, (255, 140, 180, 255), Mask(size).ellipse((cx - 6, 93, cx + 6, 99)).result(), opacity=0.5)


def _star_points(cx, cy, outer, inner):
    points = []
    for k in range(10):
        r = outer if k % 2 == 0 else inner
        a = math.radians(-90 + k * 36)
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


def bubble():
    """The speech bubble with the mascot's plea; its tail points left at the mascot."""
    size = BUBBLE
    image = canvas(size)
    box = (12, 3, 159, 46)
    shape = Mask(size).rounded(box, 12).polygon([(16, 27), (1, 41), (26, 38)]).result()
    glow(image, shape, pal.NIGHT_DEEP, 1.5, opacity=0.5, offset=(0, 1))
    paint(image, gradient(size, [(0.1, (44, 44, 116, 255)), (0.9, (22, 22, 66, 255))]), shape)
    outline = (Mask(size).rounded(box, 12).polygon([(16, 27), (1, 41), (26, 38)])
               .rounded((13.3, 4.3, 157.7, 44.7), 10.7, value=0)
               .polygon([(17.5, 28.5), (5, 39.5), (26, 36.6)], value=0).result())
    paint(image, pal.GOLD, outline)
    text(image, (85.5, 24.5), PLEA, font("sans-bold", 13), pal.GOLD_PALE)
    return image


def check_box(ticked, look):
    """Look is rest, lit (brighter, gold ring) or dim (pressed, darker)."""
    image = canvas(CHECK)
    box = (0.5, 0.5, 11.5, 11.5)
    square = Mask(CHECK).rounded(box, 2.5).result()
    ring = Mask(CHECK).frame(box, 2.5, 1).result()
    if not ticked:
        paint(image, pal.WHITE, square)
        paint(image, (120, 124, 160, 255), ring)
        return image
    fill = {"rest": [(0, (52, 60, 140, 255)), (1, (24, 28, 80, 255))],
            "lit": [(0, (84, 94, 190, 255)), (1, (44, 50, 130, 255))],
            "dim": [(0, (30, 34, 92, 255)), (1, (14, 16, 50, 255))]}[look]
    paint(image, gradient(CHECK, fill), square)
    paint(image, pal.GOLD if look != "rest" else (24, 28, 80, 255), ring)
    tick = Mask(CHECK).line([(3.2, 6.2), (5.2, 8.4), (9, 3.6)], 1.6).result()
    paint(image, pal.GOLD_PALE if look == "lit" else pal.GOLD_LIGHT, tick)
    return image


def button(caption, primary, state):
    """Primary is the gold cancel button that keeps the game; the other is navy."""
    image = canvas(BUTTON)
    box = (0.5, 0.5, 73.5, 20.5)
    pill = Mask(BUTTON).rounded(box, 4).result()
    pressed = state == "pressed"
    if primary:
        stops = {"normal": [(0, pal.GOLD_LIGHT), (1, pal.GOLD)],
                 "hover": [(0, pal.GOLD_PALE), (1, pal.GOLD_LIGHT)],
                 "pressed": [(0, pal.GOLD), (1, pal.GOLD_DARK)]}[state]
        ink, edge = pal.NIGHT_DEEP, pal.GOLD_DARK
    else:
        stops = {"normal": [(0, (56, 60, 132, 255)), (1, (26, 28, 78, 255))],
                 "hover": [(0, (80, 86, 170, 255)), (1, (40, 44, 110, 255))],
                 "pressed": [(0, (22, 24, 66, 255)), (1, (36, 38, 96, 255))]}[state]
        ink = pal.GOLD_PALE if state == "hover" else pal.TEXT_LIGHT
        edge = pal.GOLD if state != "normal" else (20, 22, 60, 255)
    paint(image, gradient(BUTTON, stops), pill)
    if not pressed:
        paint(image, (255, 255, 255, 60), Mask(BUTTON).rounded((4, 1.5, 70, 2.5), 0).result())
    paint(image, edge, Mask(BUTTON).frame(box, 4, 1).result())
    text(image, (37, 10.5 + (1 if pressed else 0)), caption, font("sans", 12), ink)
    return image


def progress_track():
    """Stretched to the bar's width: a light inset groove."""
    size = (500, 4)
    image = canvas(size)
    for y, colour in enumerate(((176, 180, 206, 255), (206, 210, 228, 255),
                                (220, 223, 238, 255), (240, 241, 248, 255))):
        paint(image, colour, Mask(size).rounded((0, y, 500, y + 1), 0).result())
    return image


def progress_fill():
    """Revealed from the left unscaled, so the colour runs violet to gold as it fills."""
    size = (371, 3)
    image = gradient(size, [(0, pal.NIGHT_VIOLET), (0.55, (190, 110, 170, 255)), (1, pal.GOLD)],
                     horizontal=True)
    paint(image, (255, 255, 255, 90), Mask(size).rounded((0, 0, 371, 1), 0).result())
    return image
