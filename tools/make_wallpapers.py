#!/usr/bin/env python3
"""Writes the wallpaper set the installer ships, 01.bmp to 08.bmp, into a folder.
06.bmp is the default wallpaper.
Usage: make_wallpapers.py OUTPUT_FOLDER"""
import os
import sys

import make_wallpaper


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for number in range(1, 9):
        make_wallpaper.write_bmp(os.path.join(folder, "%02d.bmp" % number),
                                 make_wallpaper.linen(256, seed=number))


if __name__ == "__main__":
    main()
