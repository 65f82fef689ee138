#!/usr/bin/env python3
"""Checks that each ELF file given is a static position-independent executable: it loads
at a random address (type ET_DYN) yet needs neither a dynamic loader (no PT_INTERP) nor
any shared library (no DT_NEEDED).

    check-static-pie.py FILE...
"""

import struct
import sys

ET_DYN = 3
PT_DYNAMIC = 2
PT_INTERP = 3
DT_NULL = 0
DT_NEEDED = 1


def problems_of(path):
    with open(path, "rb") as file:
        image = file.read()
    if image[:4] != b"\x7fELF" or image[4] != 2 or image[5] != 1:
        return ["not a 64-bit little-endian ELF file"]
    problems = []
    (e_type,) = struct.unpack_from("<H", image, 16)
    (e_phoff,) = struct.unpack_from("<Q", image, 32)
    e_phentsize, e_phnum = struct.unpack_from("<HH", image, 54)
    if e_type != ET_DYN:
        problems.append(f"ELF type {e_type}, not ET_DYN: it always loads at the same address")
    for number in range(e_phnum):
        header = e_phoff + number * e_phentsize
        (p_type,) = struct.unpack_from("<I", image, header)
        if p_type == PT_INTERP:
            problems.append("it names a dynamic loader (PT_INTERP)")
        elif p_type == PT_DYNAMIC:
            (p_offset,) = struct.unpack_from("<Q", image, header + 8)
            (p_filesz,) = struct.unpack_from("<Q", image, header + 32)
            for entry in range(p_offset, p_offset + p_filesz, 16):
                (d_tag,) = struct.unpack_from("<q", image, entry)
                if d_tag == DT_NULL:
                    break
                if d_tag == DT_NEEDED:
                    problems.append("it needs a shared library (DT_NEEDED)")
                    break
    return problems


def main():
    failed = False
    for path in sys.argv[1:]:
        problems = problems_of(path)
        for problem in problems:
            print(f"FAIL: {path}: {problem}")
        if not problems:
            print(f"ok: {path} is a static PIE")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
