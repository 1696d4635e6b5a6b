#!/usr/bin/env python3
"""Writes data/sample/sample.tle: fictional element sets for trying Skytrace
without downloading anything. The orbits are typical ones (station, sun-
synchronous, navigation, Molniya, geostationary, a small constellation), with
catalogue numbers 99001 and up so they never clash with real satellites."""
import math
import os
import sys

EPOCH_YEAR = 26
EPOCH_DAY = 335.5  # 2026-12-01 12:00 UTC


def checksum(line):
    s = 0
    for ch in line[:68]:
        if ch.isdigit():
            s += int(ch)
        elif ch == '-':
            s += 1
    return str(s % 10)


def exp_field(value):
    """Assumed-decimal field with exponent, 8 characters: ' 12345-4'."""
    if value == 0:
        return ' 00000-0'
    sign = '-' if value < 0 else ' '
    v = abs(value)
    e = math.floor(math.log10(v)) + 1
    mant = round(v / 10 ** e * 100000)
    if mant >= 100000:
        mant //= 10
        e += 1
    esign = '-' if e < 0 else '+'
    return f"{sign}{mant:05d}{esign}{abs(e)}"


def tle(name, num, intl, incl, raan, ecc, argp, ma, mm, bstar=1e-5, rev=1000):
    l1 = (f"1 {num:05d}U {intl:<8} {EPOCH_YEAR:02d}{EPOCH_DAY:012.8f}  .00000000 "
          f"{exp_field(0)} {exp_field(bstar)} 0  999")
    l1 += checksum(l1)
    ecc_s = f"{ecc:.7f}"[2:]
    l2 = (f"2 {num:05d} {incl:8.4f} {raan:8.4f} {ecc_s} {argp:8.4f} {ma:8.4f} "
          f"{mm:11.8f}{rev:5d}")
    l2 += checksum(l2)
    assert len(l1) == 69 and len(l2) == 69, (l1, l2)
    return f"{name}\n{l1}\n{l2}\n"


def main():
    out = []
    num = 99001
    singles = [
        ("SAMPLE STATION", 51.64, 120.0, 0.0005, 80.0, 15.50),
        ("SAMPLE SUNSYNC", 98.20, 40.0, 0.0010, 90.0, 14.57),
        ("SAMPLE POLAR", 89.90, 300.0, 0.0020, 45.0, 13.80),
        ("SAMPLE MOLNIYA", 63.40, 200.0, 0.7000, 270.0, 2.006),
        ("SAMPLE NAV", 55.00, 10.0, 0.0050, 30.0, 2.0056),
        ("SAMPLE GEO EAST", 0.05, 80.0, 0.0002, 0.0, 1.0027),
        ("SAMPLE GEO WEST", 0.05, 200.0, 0.0002, 0.0, 1.0027),
    ]
    for i, (name, incl, raan, ecc, argp, mm) in enumerate(singles):
        out.append(tle(name, num, f"26{i + 1:03d}A", incl, raan, ecc, argp, 37.0 * i, mm))
        num += 1
    # A small constellation: 4 planes of 6 satellites.
    for plane in range(4):
        for slot in range(6):
            name = f"SAMPLE CONST {plane + 1}-{slot + 1}"
            out.append(tle(name, num, f"26{100 + plane:03d}{chr(65 + slot)}", 53.0,
                           plane * 90.0, 0.0001, 0.0, slot * 60.0 + plane * 15.0, 15.06))
            num += 1
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), '..', 'data', 'sample', 'sample.tle')
    with open(path, 'w') as f:
        f.write(''.join(out))


if __name__ == '__main__':
    main()
