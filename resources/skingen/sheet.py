"""A contact sheet: every image on a checkerboard, labelled with its id."""
from PIL import Image, ImageDraw

from .icons import ICON_SIZES
from .paint import font

WIDTH = 1300
GAP = 14
LABEL = 30
ZOOM_BELOW = 64
ZOOM = 4


def _checker(size, cell=8):
    board = Image.new("RGBA", size, (206, 206, 206, 255))
    draw = ImageDraw.Draw(board)
    for y in range(0, size[1], cell):
        for x in range((y // cell) % 2 * cell, size[0], 2 * cell):
            draw.rectangle((x, y, x + cell - 1, y + cell - 1), fill=(150, 150, 150, 255))
    return board


def _tile(image, caption):
    """The image, a 4x nearest-neighbour copy of small ones, and a label."""
    w, h = image.size
    views = [image]
    if max(w, h) < ZOOM_BELOW:
        views.append(image.resize((w * ZOOM, h * ZOOM), Image.NEAREST))
    title_face, note_face = font("sans-bold", 12), font("sans", 10)
    width = max(sum(v.width for v in views) + GAP * (len(views) - 1),
                round(title_face.getlength(caption[0])), round(note_face.getlength(caption[1])))
    height = max(v.height for v in views)
    tile = Image.new("RGBA", (min(width, WIDTH - 2 * GAP), height + LABEL), (255, 255, 255, 255))
    x = 0
    for view in views:
        board = _checker(view.size)
        board.alpha_composite(view)
        tile.paste(board, (x, 0))
        x += view.width + GAP
    draw = ImageDraw.Draw(tile)
    draw.text((0, height + 3), caption[0], font=title_face, fill=(20, 20, 40))
    draw.text((0, height + 16), caption[1], font=note_face, fill=(80, 80, 100))
    return tile


def _section(title, tiles):
    rows, row, x = [], [], 0
    for tile in tiles:
        if row and x + tile.width > WIDTH - 2 * GAP:
            rows.append(row)
            row, x = [], 0
        row.append(tile)
        x += tile.width + GAP
    rows.append(row)
    height = 40 + sum(max(t.height for t in r) + GAP for r in rows)
    section = Image.new("RGBA", (WIDTH, height), (255, 255, 255, 255))
    ImageDraw.Draw(section).text((GAP, 10), title, font=font("sans-bold", 18), fill=(10, 10, 30))
    y = 40
    for r in rows:
        x = GAP
        for tile in r:
            section.paste(tile, (x, y))
            x += tile.width + GAP
        y += max(t.height for t in r) + GAP
    return section


def contact_sheet(drawn):
    """drawn: (program, images by id, icons) for each program."""
    sections = []
    for program, images, icons in drawn:
        for title, group in program.groups:
            tiles = [_tile(images[s.id], (f"{s.id}  {s.name}",
                                          f"{s.size[0]}x{s.size[1]}  {s.purpose}"))
                     for s in group]
            sections.append(_section(f"{program.executable}: {title}", tiles))
        icon_tiles = [_tile(icon, (f"128  {program.icon}", f"{n}x{n}"))
                      for icon, n in zip(icons, ICON_SIZES)]
        sections.append(_section(f"{program.executable}: icon group 128", icon_tiles))
    sheet = Image.new("RGBA", (WIDTH, sum(s.height for s in sections)), (255, 255, 255, 255))
    y = 0
    for section in sections:
        sheet.paste(section, (0, y))
        y += section.height
    return sheet
