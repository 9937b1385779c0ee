#!/usr/bin/python3
"""Writes the "Dodaz" font the clock draws its numerals and texts with: DejaVu Serif
Condensed under a new family name, to the .ttf named on the command line, and the
DejaVu licence beside it as Dodaz-LICENSE.txt. Needs Debian's fonts-dejavu-extra and
python3-fonttools (which installs for Debian's own /usr/bin/python3)."""
import os
import sys

from fontTools.ttLib import TTFont

SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSerifCondensed.ttf"
LICENCE = "/usr/share/doc/fonts-dejavu-extra/copyright"
FAMILY = "Dodaz"

# Name ids: 1 family, 2 subfamily, 3 unique id, 4 full name, 6 PostScript name,
# 16/17 typographic family/subfamily, 21/22 WWS family/subfamily. The source calls its
# style "Book"; Windows looks a regular face up as "Regular".
NAMES = {1: FAMILY, 2: "Regular", 3: FAMILY, 4: FAMILY, 6: FAMILY,
         16: FAMILY, 17: "Regular", 21: FAMILY, 22: "Regular"}

HEADER = ("Dodaz is DejaVu Serif Condensed renamed, under the DejaVu/Bitstream Vera "
          "licence below, which permits modified versions under a new name.\n\n")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_font.py OUTPUT.ttf")
    output = sys.argv[1]
    font = TTFont(SOURCE, recalcTimestamp=False)  # same bytes on every build
    # Every platform's record (Windows and Mac alike) keeps its encoding and language.
    for record in font["name"].names:
        if record.nameID in NAMES:
            record.string = NAMES[record.nameID]
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    font.save(output)
    with open(LICENCE, encoding="utf-8") as source:
        text = source.read()
    licence = os.path.join(os.path.dirname(os.path.abspath(output)), "Dodaz-LICENSE.txt")
    with open(licence, "w", encoding="utf-8") as out:
        out.write(HEADER + text)


if __name__ == "__main__":
    main()
