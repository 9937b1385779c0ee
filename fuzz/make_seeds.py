#!/usr/bin/python3
"""Writes the fuzz targets' seed corpora into fuzz/corpus/<target>/, one small file per
case: the worked examples and the edge cases of the command line, the registry texts and
the clock's geometry. Run again after changing a case; the files are kept in the repo."""
import os
import shutil
import struct
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def utf16(text):
    return text.encode("utf-16-le")


def command_line(argument1, argument2=None, rest=None):
    """Argument 1, a zero unit, argument 2; a further zero unit and `rest` play the part
    of a third argument, which is never read."""
    data = utf16(argument1)
    if argument2 is not None:
        data += b"\0\0" + utf16(argument2)
    if rest is not None:
        data += b"\0\0" + utf16(rest)
    return data


COMMAND_LINE = {
    "no-arguments": b"",
    "slash-s": command_line("/s"),
    "slash-S": command_line("/S"),
    "dash-s": command_line("-s"),
    "slash-x": command_line("/x"),
    "lone-slash": command_line("/"),
    "letter-alone": command_line("p"),
    "preview-1234": command_line("/p", "1234"),
    "dash-preview-1234": command_line("-p", "1234"),
    "preview-zero": command_line("/p", "0"),
    "preview-abc": command_line("/p", "abc"),
    "preview-colon-no-argument-2": command_line("/p:1234"),
    "configure-alone": command_line("/c"),
    "configure-colon-zero": command_line("/c:0"),
    "configure-1234-then-5678": command_line("/c:1234", "5678"),
    "configure-upper": command_line("/C:99"),
    "password-77": command_line("/a", "77"),
    "low-byte-of-p": command_line("/\u0170", "1234"),
    "low-byte-of-c": command_line("/\u4163:42"),
    "third-argument": command_line("/p", "12", "34"),
    "below-int32": command_line("/p", " -2147483649"),
    "beyond-int32": command_line("/a", "99999999999999999999"),
    "spaces-sign-tail": command_line("/p", "\t\r\n +42x"),
    "configure-beyond-int32": command_line("/c:+2147483648"),
    "full-width-digit": command_line("/p", "\uff11"),
    "argument-1-259": command_line("/p" + "x" * 257, "5"),
    "argument-1-260": command_line("/c:" + "1" * 257),
    "argument-1-300": command_line("/c:" + "9" * 297, "1"),
    "argument-2-300-digits": command_line("/p", "1" * 300),
    "argument-2-number-cut": command_line("/p", " " * 258 + "7"),
}


def registry(install, user, capacity=260 % 256):
    return struct.pack("<HB", len(install), capacity) + install + user


def sz(text):
    """A REG_SZ value's data with its terminator."""
    return utf16(text) + b"\0\0"


REGISTRY_TEXT = {
    "trailing-backslash": registry(sz("C:\\Program Files\\X\\"), sz("06.bmp"), 16),
    "drive-root": registry(sz("C:\\"), sz("Veltrane")),
    "two-backslashes": registry(sz("C:\\X\\\\"), sz("06.bmp")),
    "empty-install-path": registry(sz(""), sz("06.bmp")),
    "zero-byte-values": registry(b"", b""),
    "tail-after-terminator": registry(sz("C:\\H"), sz("ab") + utf16("def") + b"\0\0"),
    "no-terminator": registry(utf16("C:\\H"), utf16("abc")),
    "odd-byte": registry(utf16("C:\\H") + b"d", utf16("abc") + b"\x01"),
    "one-byte": registry(b"a", b"b", 1),
    "install-259": registry(sz("D" * 259), sz("06.bmp")),
    "install-260-terminated": registry(sz("D" * 260), sz("06.bmp")),
    "install-260-no-terminator": registry(utf16("D" * 260), sz("06.bmp")),
    "user-300": registry(sz("C:\\H"), sz("T" * 300), 255),
    "user-259-no-terminator": registry(sz("C:\\H"), utf16("N" * 259)),
    "path-just-fits": registry(sz("C:\\" + "P" * 200), sz("n" * 44), 0),
    "path-one-over": registry(sz("C:\\" + "P" * 200), sz("n" * 45), 2),
    "non-ascii": registry(sz("C:\\Ünïcødé\\"), sz("\u30c6\u30b9\u30c8.bmp")),
    "embedded-zero": registry(sz("C:\\H") + utf16("junk"), sz("a") + utf16("y" * 300)),
}


def geometry(w, h, hour, minute, second, position=0, flags=0):
    return struct.pack("<B6i", flags, w, h, hour, minute, second, position)


RAW_SIZE, RAW_TIME, SYSTEMTIME_FIELDS = 1, 2, 4
INT_MAX, INT_MIN = 2**31 - 1, -2**31

CLOCK_GEOMETRY = {
    "1920x1080-10-08-30": geometry(1920, 1080, 10, 8, 30),
    "1024x768-15-30-00": geometry(1024, 768, 15, 30, 0),
    "912x672-preview-scaled": geometry(912, 672, 0, 30, 0),
    "152x112-preview": geometry(152, 112, 3, 0, 59),
    "1280x1024": geometry(1280, 1024, 13, 0, 0),
    "3840x2160": geometry(3840, 2160, 23, 0, 0),
    "768x1024-tall": geometry(768, 1024, 12, 59, 59),
    "1025x768-odd-width": geometry(1025, 768, 12, 0, 0),
    "510x510-one-unit": geometry(510, 510, 0, 0, 0),
    "512x512-two-units": geometry(512, 512, 3, 0, 45),
    "2048x1536-large-numerals": geometry(2048, 1536, 9, 45, 15),
    "0x0": geometry(0, 0, 0, 0, 0),
    "7x7-no-numeral-circle": geometry(7, 7, 6, 30, 30),
    "8x8": geometry(8, 8, 23, 59, 59),
    "100000x100000": geometry(100000, 100000, 11, 11, 11),
    "100000x1": geometry(100000, 1, 1, 1, 1),
    "raw-size-largest": geometry(INT_MAX, INT_MAX, 10, 8, 30, 59, RAW_SIZE),
    "raw-size-smallest": geometry(INT_MIN, INT_MIN, 10, 8, 30, 0, RAW_SIZE),
    "raw-size-negative": geometry(-1920, -1080, 10, 8, 30, 0, RAW_SIZE),
    "raw-time-extremes": geometry(1920, 1080, INT_MIN, INT_MAX, INT_MAX, INT_MIN, RAW_TIME),
    "raw-time-negative": geometry(1920, 1080, -1, -1, -1, -5, RAW_TIME),
    "systemtime-largest": geometry(1920, 1080, 65535, 65535, 65535, 60, SYSTEMTIME_FIELDS),
    "everything-raw": geometry(INT_MAX, INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MAX,
                               RAW_SIZE | RAW_TIME),
}


def write(target, cases):
    folder = os.path.join(ROOT, target)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name, data in cases.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def main():
    write("command_line", COMMAND_LINE)
    write("registry_text", REGISTRY_TEXT)
    write("clock_geometry", CLOCK_GEOMETRY)
    return 0


if __name__ == "__main__":
    sys.exit(main())
