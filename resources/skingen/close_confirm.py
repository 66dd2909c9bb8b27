"""The 295 by 190 close confirmation: its picture with the question, and its two buttons.

The confirmation is a layered window of exactly this size, so the rounded
body sits a few pixels inside the picture and its glow fills the margin.
"""
import random

from . import palette as pal
from .paint import Mask, canvas, font, glow, gradient, paint, text

SIZE = (295, 190)
BODY = (5, 5, 290, 185)
BUTTON = (68, 35)
QUESTION = "确定要退出游戏吗？"


def background():
    image = canvas(SIZE)
    body = Mask(SIZE).rounded(BODY, 12).result()
    glow(image, body, pal.SHADOW, 3, opacity=0.85, offset=(0, 1))
    glow(image, body, pal.GOLD, 3, opacity=0.35)
    face = canvas(SIZE)
    paint(face, gradient(SIZE, [(0, (28, 28, 84, 255)), (0.6, (18, 18, 56, 255)),
                                (1, (44, 24, 80, 255))]))
    rng = random.Random(295190)
    stars = Mask(SIZE)
    for _ in range(36):
        x, y, r = rng.uniform(12, 283), rng.uniform(12, 178), rng.choice((0.4, 0.5, 0.7))
        stars.ellipse((x - r, y - r, x + r, y + r), value=rng.randint(80, 200))
    paint(face, pal.STAR, stars.result())
    header = Mask(SIZE).rounded((5, 5, 290, 36), 0).result()
    paint(face, gradient(SIZE, [(0.02, pal.with_alpha(pal.NIGHT_VIOLET, 170)),
                                (0.19, pal.with_alpha(pal.NIGHT_VIOLET, 40))]), header)
    crescent = Mask(SIZE).ellipse((238, 132, 278, 172)).ellipse((248, 126, 288, 166), value=0).result()
    paint(face, pal.GOLD_LIGHT, crescent, opacity=0.18)
    face.putalpha(body)
    image.alpha_composite(face)
    divider = Mask(SIZE).rounded((16, 36, 279, 37), 0).result()
    paint(image, gradient(SIZE, [(0.05, pal.with_alpha(pal.GOLD, 0)), (0.5, pal.GOLD),
                                 (0.95, pal.with_alpha(pal.GOLD, 0))], horizontal=True), divider)
    paint(image, gradient(SIZE, [(0.03, pal.GOLD_LIGHT), (0.97, pal.GOLD_DARK)]),
          Mask(SIZE).frame(BODY, 12, 1.5).result())
    text(image, (20, 21), "Valdris3", font("serif-bold", 14), pal.GOLD_LIGHT, anchor="lm",
         halo=(pal.with_alpha(pal.GOLD, 120), 3))
    text(image, (147.5, 67), QUESTION, font("sans-bold", 16), pal.TEXT_LIGHT,
         shadow=(pal.SHADOW, (0, 1)))
    return image


def button(caption, primary, lit):
    """Primary is the gold confirming button; lit is the look under the mouse and pressed."""
    image = canvas(BUTTON)
    box = (3, 3, 65, 31)
    pill = Mask(BUTTON).rounded(box, 8).result()
    glow(image, pill, pal.SHADOW, 2, opacity=0.8, offset=(0, 1))
    if lit:
        glow(image, pill, pal.GOLD_LIGHT if primary else pal.GOLD, 3, opacity=0.8)
    if primary:
        stops = [(0.1, pal.GOLD_PALE if lit else pal.GOLD_LIGHT), (0.9, pal.GOLD if lit else pal.GOLD_DARK)]
        ink = pal.NIGHT_DEEP
    else:
        stops = [(0.1, (70, 62, 150, 255) if lit else (48, 44, 112, 255)),
                 (0.9, (30, 26, 80, 255) if lit else (18, 18, 52, 255))]
        ink = pal.GOLD_PALE if lit else pal.TEXT_LIGHT
    paint(image, gradient(BUTTON, stops), pill)
    paint(image, (255, 255, 255, 70), Mask(BUTTON).rounded((9, 4, 59, 5), 0).result())
    edge = pal.GOLD_LIGHT if lit else pal.with_alpha(pal.GOLD, 200)
    paint(image, edge, Mask(BUTTON).frame(box, 8, 1).result())
    text(image, (34, 17), caption, font("sans-bold", 14), ink)
    return image
