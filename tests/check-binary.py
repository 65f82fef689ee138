#!/usr/bin/env python3
"""Checks the kind of executable file a build produced, by reading its headers.

    check-binary.py KIND FILE...

KIND is one of:
  static-pie        a 64-bit ELF static PIE: it loads at a random address (type ET_DYN)
                    yet needs no dynamic loader (no PT_INTERP) and no shared library
                    (no DT_NEEDED);
  windows-x86       a PE32 console program for 32-bit x86 Windows;
  windows-x64       a PE32+ console program for x64 Windows.
A Windows program must also import no MinGW runtime DLL (lib*.dll): only Windows' own.
"""

import struct
import sys

ET_DYN = 3
PT_DYNAMIC = 2
PT_INTERP = 3
DT_NULL = 0
DT_NEEDED = 1

PE_KINDS = {
    # kind: (COFF machine, optional header magic, offset of the data directories)
    "windows-x86": (0x014C, 0x010B, 96),
    "windows-x64": (0x8664, 0x020B, 112),
}
IMAGE_SUBSYSTEM_WINDOWS_CUI = 3
IMPORT_DIRECTORY = 1


def static_pie_problems(image):
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


def c_string(image, offset):
    return image[offset:image.index(b"\0", offset)].decode("ascii", "replace")


def imported_dlls(image, optional_header, directories, sections):
    import_rva, _ = struct.unpack_from("<II", image, optional_header + directories + 8 * IMPORT_DIRECTORY)

    def file_offset(rva):
        for virtual_size, virtual_address, raw_size, raw_offset in sections:
            if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
                return rva - virtual_address + raw_offset
        raise ValueError(f"address {rva:#x} lies in no section")

    names = []
    if import_rva == 0:
        return names
    descriptor = file_offset(import_rva)
    while True:
        fields = struct.unpack_from("<IIIII", image, descriptor)
        if not any(fields):
            return names
        names.append(c_string(image, file_offset(fields[3])))
        descriptor += 20


def windows_problems(image, kind):
    machine, magic, directories = PE_KINDS[kind]
    if image[:2] != b"MZ":
        return ["not a Windows executable: no MZ header"]
    (pe_header,) = struct.unpack_from("<I", image, 0x3C)
    if image[pe_header:pe_header + 4] != b"PE\0\0":
        return ["not a Windows executable: no PE signature"]
    problems = []
    actual_machine, section_count = struct.unpack_from("<HH", image, pe_header + 4)
    (optional_size,) = struct.unpack_from("<H", image, pe_header + 20)
    optional_header = pe_header + 24
    (actual_magic,) = struct.unpack_from("<H", image, optional_header)
    (subsystem,) = struct.unpack_from("<H", image, optional_header + 68)
    if actual_machine != machine:
        problems.append(f"machine {actual_machine:#06x}, not {machine:#06x}")
    if actual_magic != magic:
        problems.append(f"optional header magic {actual_magic:#06x}, not {magic:#06x}")
        return problems
    if subsystem != IMAGE_SUBSYSTEM_WINDOWS_CUI:
        problems.append(f"subsystem {subsystem}, not the console ({IMAGE_SUBSYSTEM_WINDOWS_CUI})")
    section_table = optional_header + optional_size
    sections = [struct.unpack_from("<IIII", image, section_table + 40 * number + 8)
                for number in range(section_count)]
    for dll in imported_dlls(image, optional_header, directories, sections):
        if dll.lower().startswith("lib"):
            problems.append(f"it needs the MinGW runtime DLL {dll}")
    return problems


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in ["static-pie", *PE_KINDS]:
        sys.exit(__doc__)
    kind = sys.argv[1]
    failed = False
    for path in sys.argv[2:]:
        with open(path, "rb") as file:
            image = file.read()
        problems = static_pie_problems(image) if kind == "static-pie" else windows_problems(image, kind)
        for problem in problems:
            print(f"FAIL: {path}: {problem}")
        if not problems:
            print(f"ok: {path} is {kind}")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
