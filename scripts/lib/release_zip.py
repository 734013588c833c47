#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend on its contents alone:
    release_zip.py OUT.zip TIME NAME=FILE [NAME=FILE ...]
TIME is the modification time of every entry (seconds since 1970, UTC).

Names are written in Shift_JIS (code page 932) without the zip's UTF-8 flag,
which is how Explorer on Japanese Windows XP to 11 reads them, and once more
as UTF-8 in the Info-ZIP Unicode Path field, for tools that read that."""

import struct
import sys
import time
import zlib


def dos_time(seconds):
    t = time.gmtime(seconds)
    return (t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2), ((t.tm_year - 1980) << 9) | (t.tm_mon << 5) | t.tm_mday


def unicode_path_field(legacy_name, name):
    data = struct.pack("<BI", 1, zlib.crc32(legacy_name)) + name.encode("utf-8")
    return struct.pack("<HH", 0x7075, len(data)) + data


def write(out_path, seconds, entries):
    clock, date = dos_time(seconds)
    body = bytearray()
    directory = bytearray()
    for name, path in entries:
        content = open(path, "rb").read()
        compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
        packed = compressor.compress(content) + compressor.flush()
        crc = zlib.crc32(content)
        legacy = name.encode("cp932")
        extra = b"" if name.isascii() else unicode_path_field(legacy, name)
        offset = len(body)
        body += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, clock, date, crc, len(packed), len(content),
                            len(legacy), len(extra)) + legacy + extra + packed
        directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, clock, date, crc, len(packed),
                                 len(content), len(legacy), len(extra), 0, 0, 0, 0, offset) + legacy + extra
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(directory), len(body), 0)
    with open(out_path, "wb") as out:
        out.write(bytes(body) + bytes(directory) + end)


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    entries = [tuple(arg.split("=", 1)) for arg in argv[3:]]
    write(argv[1], int(argv[2]), entries)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
