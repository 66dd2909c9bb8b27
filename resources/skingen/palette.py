"""Colours of the night-sky theme shared by every skin image (RGBA)."""

NIGHT_DEEP = (7, 9, 28, 255)
NIGHT_MID = (33, 40, 104, 255)
NIGHT_PURPLE = (56, 30, 96, 255)
NIGHT_VIOLET = (92, 52, 150, 255)

GOLD = (232, 190, 104, 255)
GOLD_LIGHT = (255, 228, 156, 255)
GOLD_PALE = (255, 244, 212, 255)
GOLD_DARK = (150, 106, 42, 255)

TEXT_LIGHT = (236, 230, 212, 255)
STAR = (255, 250, 236, 255)

CRIMSON = (206, 58, 70, 255)
CRIMSON_DARK = (152, 34, 48, 255)

SHADOW = (0, 0, 12, 255)
WHITE = (255, 255, 255, 255)


def with_alpha(colour, alpha):
    return colour[:3] + (alpha,)
