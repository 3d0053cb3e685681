#!/usr/bin/python3
"""Writes stand-ins for fonts of Windows XP that Wine lacks into a folder
(a Wine prefix's windows\\Fonts): a free font of the machine renamed, so
that a font dialog answered with the Windows font's name finds it.

    stand_in_fonts.py FOLDER

Each stand-in is one style of a DejaVu family under the Windows family's
name, with the Windows file name, so that every style of it is found."""
import os
import sys

from fontTools.ttLib import TTFont

DEJAVU = "/usr/share/fonts/truetype/dejavu"
# Windows family -> (its file stem, the DejaVu family standing in).
STAND_INS = {"Georgia": ("georgia", "DejaVuSerif")}
# Style -> (Windows file suffix, DejaVu file suffix).
STYLES = {"Regular": ("", ""), "Bold": ("b", "-Bold"), "Italic": ("i", "-Italic"),
          "Bold Italic": ("z", "-BoldItalic")}


def rename(source, target, family, style):
    font = TTFont(source)
    postscript = family.replace(" ", "") + ("" if style == "Regular"
                                            else "-" + style.replace(" ", ""))
    names = {1: family, 2: style, 3: postscript,
             4: family if style == "Regular" else family + " " + style,
             6: postscript, 16: family, 17: style}
    for record in font["name"].names:
        if record.nameID in names:
            record.string = names[record.nameID]
    font.save(target)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for family, (stem, dejavu) in STAND_INS.items():
        for style, (suffix, dejavu_suffix) in STYLES.items():
            source = os.path.join(DEJAVU, dejavu + dejavu_suffix + ".ttf")
            if not os.path.exists(source):
                sys.exit("missing " + source + " (fonts-dejavu-core, fonts-dejavu-extra)")
            rename(source, os.path.join(folder, stem + suffix + ".ttf"), family, style)


if __name__ == "__main__":
    main()
