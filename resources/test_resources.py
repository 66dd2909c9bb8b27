#!/usr/bin/env python3
"""Checks the committed resources against the id table of README.md.

Needs only Python's standard library; the windres check is skipped when the
cross binutils are not installed.
"""
import re
import shutil
import struct
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ET
from pathlib import Path

ROOT = Path(__file__).resolve().parent
PROGRAMS = {
    "vd": ("client", "client_resources.h", "client.rc"),
    "vd_uninstall": ("uninstaller", "uninstaller_resources.h", "uninstaller.rc"),
}
WINDRES = "i686-w64-mingw32-windres"


def readme_rows():
    rows = []
    for line in (ROOT / "README.md").read_text(encoding="utf-8").splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) == 5 and cells[0] in PROGRAMS:
            w, h = map(int, cells[3].split("x"))
            rows.append((cells[0], int(cells[1]), cells[2].strip("`"), (w, h), cells[4]))
    return rows


def header_ids(path):
    text = path.read_text(encoding="utf-8")
    return {name: int(value) for name, value in re.findall(r"#define\s+(ID\w+)\s+(\d+)", text)}


def script_pngs(path):
    text = path.read_text(encoding="utf-8")
    return dict(re.findall(r'^(IDP_\w+)\s+PNG\s+"([^"]+)"', text, re.MULTILINE))


def png_header(path):
    data = path.read_bytes()[:26]
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError(f"{path} is not a PNG")
    width, height, depth, colour_type = struct.unpack(">IIBB", data[16:26])
    return (width, height), depth, colour_type


def ico_entries(path):
    data = path.read_bytes()
    _reserved, kind, count = struct.unpack("<HHH", data[:6])
    if kind != 1:
        raise ValueError(f"{path} is not an icon file")
    entries = []
    for i in range(count):
        w, h, _colours, _res, _planes, bits, _size, _offset = struct.unpack(
            "<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        entries.append((w or 256, h or 256, bits))
    return entries


class ProgramResources(unittest.TestCase):
    def test_every_table_row_is_defined_scripted_and_sized(self):
        for program, (folder, header, script) in PROGRAMS.items():
            ids = header_ids(ROOT / folder / header)
            pngs = script_pngs(ROOT / folder / script)
            rows = [r for r in readme_rows() if r[0] == program]
            self.assertEqual({r[2] for r in rows}, set(pngs), program)
            for _program, rid, macro, size, purpose in rows:
                with self.subTest(program=program, id=rid):
                    self.assertEqual(ids.get(macro), rid)
                    path = ROOT / folder / pngs[macro]
                    self.assertTrue(path.name.startswith(f"{rid}_"), path.name)
                    actual, depth, colour_type = png_header(path)
                    self.assertEqual(actual, size)
                    self.assertEqual((depth, colour_type), (8, 6), "8-bit RGBA expected")
                    strip = re.search(r"strip of two (\d+)x(\d+)", purpose)
                    if strip:
                        half = (int(strip.group(1)), int(strip.group(2)))
                        self.assertEqual(actual, (2 * half[0], half[1]))

    def test_ids_are_unique_and_icon_is_group_128(self):
        for program, (folder, header, _script) in PROGRAMS.items():
            ids = header_ids(ROOT / folder / header)
            pictures = [v for k, v in ids.items() if k.startswith("IDP_")]
            self.assertEqual(len(pictures), len(set(pictures)), program)
            self.assertEqual(ids["IDI_MAIN"], 128, program)

    def test_no_image_file_is_left_out_of_the_script(self):
        for program, (folder, _header, script) in PROGRAMS.items():
            referenced = {Path(p).name for p in script_pngs(ROOT / folder / script).values()}
            on_disk = {p.name for p in (ROOT / folder / "png").glob("*.png")}
            self.assertEqual(on_disk, referenced, program)

    def test_script_names_icon_and_manifest(self):
        for program, (folder, _header, script) in PROGRAMS.items():
            text = (ROOT / folder / script).read_text(encoding="utf-8")
            self.assertIn(f'IDI_MAIN ICON "{program}.ico"', text)
            self.assertIn(f'1 24 "{program}.manifest"', text)

    def test_icons_hold_four_32_bit_sizes(self):
        for program, (folder, _header, _script) in PROGRAMS.items():
            entries = ico_entries(ROOT / folder / f"{program}.ico")
            self.assertEqual(sorted(entries), sorted((n, n, 32) for n in (48, 32, 24, 16)))

    def test_manifests_run_as_invoker_without_compatibility(self):
        for program, (folder, _header, _script) in PROGRAMS.items():
            tree = ET.parse(ROOT / folder / f"{program}.manifest")
            tags = [element.tag.split("}")[-1] for element in tree.iter()]
            self.assertNotIn("compatibility", tags)
            self.assertNotIn("supportedOS", tags)
            levels = [e for e in tree.iter() if e.tag.endswith("requestedExecutionLevel")]
            self.assertEqual([(e.get("level"), e.get("uiAccess")) for e in levels],
                             [("asInvoker", "false")])

    @unittest.skipUnless(shutil.which(WINDRES), "windres not installed")
    def test_scripts_compile(self):
        for folder, _header, script in PROGRAMS.values():
            with tempfile.TemporaryDirectory() as tmp:
                subprocess.run([WINDRES, "-I", str(ROOT / folder), str(ROOT / folder / script),
                                "-O", "coff", "-o", str(Path(tmp) / "out.res")],
                               check=True, cwd=ROOT.parent)


if __name__ == "__main__":
    unittest.main()
