#!/usr/bin/env python3
"""Builds data/font_1016pc.bmp, the built-in 10 x 16 code-page-437 font.

Source: Debian's xfonts-terminus-dos, ter-u16n_ibm437.pcf.gz (8 x 16 cells in
code-page-437 order, SIL Open Font License 1.1). Each 8-pixel glyph is centred
in a 10-pixel cell; box-drawing glyphs 0xB3-0xDF get their edge columns copied
into the padding and the shades 0xB0-0xB2 are tiled, so that frames and shaded
areas join across cells. The output is a 160 x 256 one-bit BMP (5182 bytes):
a 16 x 16 grid of cells, white ink on black.

Usage: make_font.py [source.pcf.gz] [output.bmp]
"""
import gzip
import struct
import sys

SRC = "/usr/share/fonts/X11/misc/ter-u16n_ibm437.pcf.gz"
OUT = "data/font_1016pc.bmp"

PCF_METRICS = 1 << 2
PCF_BITMAPS = 1 << 3
PCF_BDF_ENCODINGS = 1 << 5
PCF_COMPRESSED_METRICS = 0x100

CELL_W, CELL_H = 10, 16
SRC_W = 8


def read_tables(data):
    if data[:4] != b"\x01fcp":
        raise SystemExit("not a PCF file")
    (count,) = struct.unpack_from("<I", data, 4)
    tables = {}
    for i in range(count):
        ttype, fmt, size, offset = struct.unpack_from("<IIII", data, 8 + 16 * i)
        tables[ttype] = (fmt, size, offset)
    return tables


def table_format(data, offset):
    (fmt,) = struct.unpack_from("<I", data, offset)
    return fmt, (">" if fmt & 4 else "<")


def read_metrics(data, offset):
    fmt, e = table_format(data, offset)
    metrics = []
    if fmt & PCF_COMPRESSED_METRICS:
        (n,) = struct.unpack_from(e + "H", data, offset + 4)
        for i in range(n):
            lsb, rsb, width, asc, desc = struct.unpack_from("5B", data, offset + 6 + 5 * i)
            metrics.append((lsb - 0x80, rsb - 0x80, width - 0x80, asc - 0x80, desc - 0x80))
    else:
        (n,) = struct.unpack_from(e + "I", data, offset + 4)
        for i in range(n):
            metrics.append(struct.unpack_from(e + "5h", data, offset + 8 + 12 * i)[:5])
    return metrics


def read_bitmaps(data, offset):
    fmt, e = table_format(data, offset)
    (n,) = struct.unpack_from(e + "I", data, offset + 4)
    offsets = struct.unpack_from(e + "%dI" % n, data, offset + 8)
    base = offset + 8 + 4 * n + 16
    pad = 1 << (fmt & 3)
    msb_bit = bool(fmt & 8)
    unit = 1 << ((fmt >> 4) & 3)
    return [base + o for o in offsets], pad, msb_bit, unit, fmt & 4


def read_encodings(data, offset):
    fmt, e = table_format(data, offset)
    min2, max2, min1, max1, default = struct.unpack_from(e + "5H", data, offset + 4)
    cols = max2 - min2 + 1
    rows = max1 - min1 + 1
    idx = struct.unpack_from(e + "%dH" % (cols * rows), data, offset + 14)
    enc = {}
    for r in range(rows):
        for c in range(cols):
            g = idx[r * cols + c]
            if g != 0xFFFF:
                enc[((min1 + r) << 8) | (min2 + c)] = g
    return enc


def glyph_rows(data, start, metric, pad, msb_bit, unit, big_endian):
    """The glyph as 16 rows of 8-bit masks (bit 7 = leftmost pixel)."""
    lsb, rsb, width, asc, desc = metric
    w = rsb - lsb
    stride = ((w + 7) // 8 + pad - 1) // pad * pad
    rows = []
    for y in range(asc + desc):
        raw = bytearray(data[start + y * stride:start + (y + 1) * stride])
        if big_endian != bool(msb_bit) and unit > 1:
            for k in range(0, len(raw), unit):
                raw[k:k + unit] = raw[k:k + unit][::-1]
        bits = 0
        for x in range(w):
            byte = raw[x // 8]
            bit = (byte >> (7 - x % 8)) & 1 if msb_bit else (byte >> (x % 8)) & 1
            if bit:
                bits |= 0x80 >> (x + lsb)
        rows.append(bits & 0xFF)
    return rows


def cells_from_pcf(path):
    data = gzip.open(path, "rb").read()
    tables = read_tables(data)
    metrics = read_metrics(data, tables[PCF_METRICS][2])
    starts, pad, msb_bit, unit, big = read_bitmaps(data, tables[PCF_BITMAPS][2])
    enc = read_encodings(data, tables[PCF_BDF_ENCODINGS][2])
    cells = []
    for code in range(256):
        g = enc.get(code)
        if g is None:
            cells.append([0] * CELL_H)
            continue
        rows = glyph_rows(data, starts[g], metrics[g], pad, msb_bit, unit, big)
        if len(rows) != CELL_H:
            raise SystemExit("glyph %d is not %d rows high" % (code, CELL_H))
        cells.append(widen(code, rows))
    return cells


def widen(code, rows):
    """8-pixel rows into 10-pixel rows (bit 9 = leftmost pixel)."""
    out = []
    for r in rows:
        w = r << 1
        if 0xB0 <= code <= 0xB2:
            # Shades repeat every 2 or 4 pixels: the padding continues the
            # pattern (column -1 is column 3, column 8 is column 0).
            left = (r >> 4) & 1
            right = (r >> 7) & 1
            w |= (left << 9) | right
        elif 0xB3 <= code <= 0xDF:
            left = (r >> 7) & 1
            right = r & 1
            w |= (left << 9) | right
        out.append(w)
    return out


def write_bmp(cells, path):
    width, height = 16 * CELL_W, 16 * CELL_H
    stride = (width + 31) // 32 * 4
    pixels = bytearray()
    for y in reversed(range(height)):
        row = 0
        cell_row = y // CELL_H
        line = y % CELL_H
        for col in range(16):
            row = (row << CELL_W) | cells[cell_row * 16 + col][line]
        bits = row.to_bytes(width // 8, "big")
        pixels += bits + bytes(stride - len(bits))
    header_size = 14 + 40 + 8
    size = header_size + len(pixels)
    bmp = b"BM" + struct.pack("<IHHI", size, 0, 0, header_size)
    bmp += struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels),
                       11811, 11811, 2, 2)
    bmp += bytes((0, 0, 0, 0, 255, 255, 255, 0))
    bmp += pixels
    if len(bmp) != 5182:
        raise SystemExit("unexpected image size %d" % len(bmp))
    with open(path, "wb") as f:
        f.write(bmp)


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else SRC
    out = sys.argv[2] if len(sys.argv) > 2 else OUT
    write_bmp(cells_from_pcf(src), out)


if __name__ == "__main__":
    main()
