#!/usr/bin/python3
"""Draws the skin images and icons of vd and vd_uninstall and writes their resource scripts.

Run from anywhere with Debian's python3 and python3-pil; the Noto CJK fonts
come from fonts-noto-cjk. The output is committed, so building the programs
needs neither Python nor fonts.
"""
import argparse
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from skingen.catalog import PROGRAMS  # noqa: E402
from skingen.outputs import write_program, write_png  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sheet", metavar="OUT.png",
                        help="also write a contact sheet of every image to this file")
    args = parser.parse_args()
    root = Path(__file__).resolve().parent
    drawn = []
    for program in PROGRAMS:
        images, icons = write_program(program, root)
        drawn.append((program, images, icons))
        print(f"{program.folder}: {len(images)} images, icon, {program.header}, {program.script}")
    if args.sheet:
        from skingen.sheet import contact_sheet
        write_png(contact_sheet(drawn), Path(args.sheet))
        print(f"contact sheet: {args.sheet}")


if __name__ == "__main__":
    main()
