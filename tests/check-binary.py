#!/usr/bin/env python3
"""Checks what a build left in its executable files, by reading their headers.

    check-binary.py --processor PROCESSOR [--linkage dynamic|static|static-pie] FILE...

Every file must be an executable for PROCESSOR (CMake's CMAKE_SYSTEM_PROCESSOR, as
`uname -m` or Windows name it), carrying the protections the hardening options leave:
  ELF (Linux)    32- or 64-bit, either byte order, as the file says; a PT_GNU_RELRO
                 segment; a PT_GNU_STACK segment that is not executable; where the file
                 has a dynamic section, every symbol bound at start-up (BIND_NOW). By
                 --linkage (the default is dynamic):
                   dynamic     position-independent (ET_DYN, flagged PIE);
                   static-pie  the same, and no dynamic loader (PT_INTERP) and no
                               shared library (DT_NEEDED);
                   static      no dynamic loader and no shared library, at a fixed
                               address (ET_EXEC).
  PE (Windows)   a console program that imports no MinGW runtime DLL (lib*.dll), only
                 Windows' own; loads at a random address (DYNAMIC_BASE), with high
                 entropy on 64-bit Windows (HIGH_ENTROPY_VA); data not executable
                 (NX_COMPAT).
  WebAssembly    (processor wasm32) a WASI command: it exports _start and its memory,
                 and imports nothing but WASI's functions, so that any WASI runtime can
                 run it.
"""

import argparse
import struct
import sys

# Processor names as CMake spells them, lower-cased: (ELF e_machine, PE machine).
PROCESSORS = {
    "x86_64": (62, 0x8664),
    "amd64": (62, 0x8664),
    "aarch64": (183, 0xAA64),
    "arm64": (183, 0xAA64),
    "x86": (3, 0x014C),
    "i386": (3, 0x014C),
    "i686": (3, 0x014C),
    "armv7l": (40, None),
    "riscv64": (243, None),
    "ppc64le": (21, None),
    "s390x": (22, None),
    "wasm32": (None, None),
}

ELFCLASS32 = 1
ELFCLASS64 = 2
BYTE_ORDERS = {1: "<", 2: ">"}
ET_EXEC = 2
ET_DYN = 3
PT_DYNAMIC = 2
PT_INTERP = 3
PT_GNU_STACK = 0x6474E551
PT_GNU_RELRO = 0x6474E552
PF_X = 1
DT_NULL = 0
DT_NEEDED = 1
DT_FLAGS = 30
DT_FLAGS_1 = 0x6FFFFFFB
DF_BIND_NOW = 0x8
DF_1_NOW = 0x1
DF_1_PIE = 0x08000000

WASM_MAGIC = b"\0asm"
WASI_MODULE = "wasi_snapshot_preview1"
WASM_IMPORT_SECTION = 2
WASM_EXPORT_SECTION = 7
WASM_FUNCTION = 0
WASM_TABLE = 1
WASM_MEMORY = 2
WASM_GLOBAL = 3

PE32_MAGIC = 0x010B
PE32_PLUS_MAGIC = 0x020B
# Offset of the data directories in the optional header, by its magic.
DATA_DIRECTORIES = {PE32_MAGIC: 96, PE32_PLUS_MAGIC: 112}
IMAGE_SUBSYSTEM_WINDOWS_CUI = 3
IMPORT_DIRECTORY = 1
HIGH_ENTROPY_VA = 0x0020
DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100


class ElfLayout:
    """Where the fields this check reads lie, for one ELF class and byte order."""

    def __init__(self, elf_class, order):
        wide = elf_class == ELFCLASS64
        self.header = order + ("HHIQQQIHHH" if wide else "HHIIIIIHHH")
        self.segment = order + ("IIQQQQQQ" if wide else "IIIIIIII")
        self.dynamic_entry = order + ("qQ" if wide else "iI")
        self.dynamic_entry_size = struct.calcsize(self.dynamic_entry)
        # Program header fields by name, in the order of the class.
        self.segment_fields = (("type", "flags", "offset", "vaddr", "paddr", "filesz", "memsz", "align")
                               if wide else
                               ("type", "offset", "vaddr", "paddr", "filesz", "memsz", "flags", "align"))


def elf_segments(image, layout):
    (e_type, e_machine, _, _, e_phoff, _, _, _, e_phentsize, e_phnum) = struct.unpack_from(
        layout.header, image, 16)
    segments = []
    for number in range(e_phnum):
        values = struct.unpack_from(layout.segment, image, e_phoff + number * e_phentsize)
        segments.append(dict(zip(layout.segment_fields, values)))
    return e_type, e_machine, segments


def elf_dynamic(image, layout, segment):
    dynamic = {}
    for entry in range(segment["offset"], segment["offset"] + segment["filesz"], layout.dynamic_entry_size):
        d_tag, d_val = struct.unpack_from(layout.dynamic_entry, image, entry)
        if d_tag == DT_NULL:
            break
        dynamic.setdefault(d_tag, d_val)
    return dynamic


def elf_problems(image, machine, linkage):
    if image[4] not in (ELFCLASS32, ELFCLASS64) or image[5] not in BYTE_ORDERS:
        return [f"unknown ELF class {image[4]} or byte order {image[5]}"]
    layout = ElfLayout(image[4], BYTE_ORDERS[image[5]])
    e_type, e_machine, segments = elf_segments(image, layout)
    by_type = {segment["type"]: segment for segment in segments}
    dynamic = elf_dynamic(image, layout, by_type[PT_DYNAMIC]) if PT_DYNAMIC in by_type else None

    problems = []
    if e_machine != machine:
        problems.append(f"ELF machine {e_machine}, not {machine}")
    if linkage == "static":
        if e_type != ET_EXEC:
            problems.append(f"ELF type {e_type}, not ET_EXEC, the type of a static program")
    else:
        if e_type != ET_DYN:
            problems.append(f"ELF type {e_type}, not ET_DYN: it always loads at the same address")
        if not (dynamic or {}).get(DT_FLAGS_1, 0) & DF_1_PIE:
            problems.append("it is not flagged as a PIE (DF_1_PIE): a shared library, not a program")
    if linkage in ("static", "static-pie"):
        if PT_INTERP in by_type:
            problems.append("it names a dynamic loader (PT_INTERP)")
        if DT_NEEDED in (dynamic or {}):
            problems.append("it needs a shared library (DT_NEEDED)")
    if PT_GNU_RELRO not in by_type:
        problems.append("no PT_GNU_RELRO segment: relocated data stays writable")
    if dynamic is not None and not (dynamic.get(DT_FLAGS, 0) & DF_BIND_NOW or dynamic.get(DT_FLAGS_1, 0) & DF_1_NOW):
        problems.append("symbols are bound lazily, not at start-up (no BIND_NOW)")
    if PT_GNU_STACK not in by_type:
        problems.append("no PT_GNU_STACK segment: the stack may be executable")
    elif by_type[PT_GNU_STACK]["flags"] & PF_X:
        problems.append("the stack is executable (PT_GNU_STACK has PF_X)")
    return problems


class WasmReader:
    """Reads the LEB128 numbers, names and limits a WebAssembly module is made of."""

    def __init__(self, image, offset):
        self.image = image
        self.offset = offset

    def byte(self):
        self.offset += 1
        return self.image[self.offset - 1]

    def number(self):
        value, shift = 0, 0
        while True:
            byte = self.byte()
            value |= (byte & 0x7F) << shift
            shift += 7
            if not byte & 0x80:
                return value

    def name(self):
        length = self.number()
        self.offset += length
        return self.image[self.offset - length:self.offset].decode("utf-8", "replace")

    def limits(self):
        if self.byte() & 1:
            self.number()
        self.number()


def wasm_sections(image):
    reader = WasmReader(image, 8)
    while reader.offset < len(image):
        section_id = reader.byte()
        size = reader.number()
        yield section_id, WasmReader(image[:reader.offset + size], reader.offset)
        reader.offset += size


def wasm_problems(image):
    if image[4:8] != b"\1\0\0\0":
        return ["not a WebAssembly module of version 1"]
    imports, exports = [], {}
    for section_id, reader in wasm_sections(image):
        if section_id == WASM_IMPORT_SECTION:
            for _ in range(reader.number()):
                module, field, kind = reader.name(), reader.name(), reader.byte()
                imports.append(f"{module}.{field}")
                if kind == WASM_FUNCTION:
                    reader.number()
                elif kind == WASM_TABLE:
                    reader.byte()
                    reader.limits()
                elif kind == WASM_MEMORY:
                    reader.limits()
                elif kind == WASM_GLOBAL:
                    reader.byte()
                    reader.byte()
        elif section_id == WASM_EXPORT_SECTION:
            for _ in range(reader.number()):
                name, kind = reader.name(), reader.byte()
                reader.number()
                exports[name] = kind
    problems = [f"it imports {name}, which is not WASI's" for name in imports
                if not name.startswith(WASI_MODULE + ".")]
    if exports.get("_start") != WASM_FUNCTION:
        problems.append("it exports no function _start: not a WASI command")
    if exports.get("memory") != WASM_MEMORY:
        problems.append("it exports no memory, which WASI's functions read and write")
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


def pe_problems(image, machine):
    (pe_header,) = struct.unpack_from("<I", image, 0x3C)
    if image[pe_header:pe_header + 4] != b"PE\0\0":
        return ["not a Windows executable: no PE signature"]
    problems = []
    actual_machine, section_count = struct.unpack_from("<HH", image, pe_header + 4)
    (optional_size,) = struct.unpack_from("<H", image, pe_header + 20)
    optional_header = pe_header + 24
    (magic,) = struct.unpack_from("<H", image, optional_header)
    subsystem, dll_characteristics = struct.unpack_from("<HH", image, optional_header + 68)
    if actual_machine != machine:
        problems.append(f"machine {actual_machine:#06x}, not {machine:#06x}")
    if magic not in DATA_DIRECTORIES:
        problems.append(f"unknown optional header magic {magic:#06x}")
        return problems
    if subsystem != IMAGE_SUBSYSTEM_WINDOWS_CUI:
        problems.append(f"subsystem {subsystem}, not the console ({IMAGE_SUBSYSTEM_WINDOWS_CUI})")
    wanted = {"DYNAMIC_BASE": DYNAMIC_BASE, "NX_COMPAT": NX_COMPAT}
    if magic == PE32_PLUS_MAGIC:
        wanted["HIGH_ENTROPY_VA"] = HIGH_ENTROPY_VA
    for name, flag in wanted.items():
        if not dll_characteristics & flag:
            problems.append(f"{name} is not set in its DLL characteristics")
    section_table = optional_header + optional_size
    sections = [struct.unpack_from("<IIII", image, section_table + 40 * number + 8)
                for number in range(section_count)]
    for dll in imported_dlls(image, optional_header, DATA_DIRECTORIES[magic], sections):
        if dll.lower().startswith("lib"):
            problems.append(f"it needs the MinGW runtime DLL {dll}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--processor", required=True, type=str.lower, choices=sorted(PROCESSORS),
                        help="the processor the build is for")
    parser.add_argument("--linkage", choices=("dynamic", "static", "static-pie"), default="dynamic",
                        help="how the ELF files were linked")
    parser.add_argument("files", nargs="+")
    options = parser.parse_args()
    elf_machine, pe_machine = PROCESSORS[options.processor]

    failed = False
    for path in options.files:
        with open(path, "rb") as file:
            image = file.read()
        if image[:4] == WASM_MAGIC:
            problems = (wasm_problems(image) if options.processor == "wasm32"
                        else [f"a WebAssembly module, not a {options.processor} program"])
        elif image[:4] == b"\x7fELF":
            problems = elf_problems(image, elf_machine, options.linkage)
        elif image[:2] == b"MZ" and pe_machine is not None:
            problems = pe_problems(image, pe_machine)
        else:
            problems = ["neither an ELF nor a Windows executable"]
        for problem in problems:
            print(f"FAIL: {path}: {problem}")
        if not problems:
            if image[:4] == WASM_MAGIC:
                print(f"ok: {path} is a WASI command")
            else:
                print(f"ok: {path} is a hardened {options.processor} program"
                      + (f", linked {options.linkage}" if image[:4] == b"\x7fELF" else ""))
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
