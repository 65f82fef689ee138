#!/usr/bin/env python3
"""Runs a command only where this machine's kernel runs machine code of the given kind.

    needs-kernel.py i386 -- COMMAND...

Wine runs a Windows program's own machine code on the processor, so a 32-bit Windows
program runs under Wine only where the kernel runs 32-bit x86 code, and x86-64 kernels
may be built or set up without that. The check starts a tiny static program of that
kind: where the kernel refuses it with "Exec format error", the command is not run and
the exit status is 77, which CTest reports as a skip, with the reason printed. Any
other outcome of the check is an error, never a skip; where the check passes, the
command runs in place of this script and its exit status is the result.
"""

import errno
import os
import struct
import subprocess
import sys
import tempfile

SKIP = 77


def i386_exit_program():
    """A static 32-bit x86 ELF program of one segment whose code is exit(0):
    mov eax, 1; xor ebx, ebx; int 0x80."""
    base = 0x08048000
    header_size, segment_header_size = 52, 32
    code = b"\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80"
    size = header_size + segment_header_size + len(code)
    elf_header = b"\x7fELF\x01\x01\x01" + bytes(9) + struct.pack(
        "<HHIIIIIHHHHHH", 2, 3, 1, base + header_size + segment_header_size, header_size, 0, 0,
        header_size, segment_header_size, 1, 0, 0, 0)
    segment_header = struct.pack("<IIIIIIII", 1, 0, base, base, size, size, 5, 0x1000)
    return elf_header + segment_header + code


PROGRAMS = {"i386": (i386_exit_program, "32-bit x86")}


def kernel_refuses(kind):
    """True where the kernel refuses to start a program of this kind at all."""
    make_program, _ = PROGRAMS[kind]
    # In the working folder rather than in /tmp, which may be mounted noexec.
    with tempfile.TemporaryDirectory(dir=os.getcwd()) as folder:
        path = os.path.join(folder, f"exit-{kind}")
        with open(path, "wb") as file:
            file.write(make_program())
        os.chmod(path, 0o755)
        try:
            result = subprocess.run([path], stdin=subprocess.DEVNULL, check=False, timeout=10)
        except OSError as error:
            if error.errno == errno.ENOEXEC:
                return True
            raise
    if result.returncode != 0:
        raise RuntimeError(f"the {kind} check program started but exited with {result.returncode}")
    return False


def main():
    arguments = sys.argv[1:]
    if len(arguments) < 3 or arguments[0] not in PROGRAMS or arguments[1] != "--":
        sys.exit(__doc__)
    kind, command = arguments[0], arguments[2:]
    if kernel_refuses(kind):
        print(f"SKIP: this machine's kernel runs no {PROGRAMS[kind][1]} code "
              f"(Exec format error), so it cannot run: {' '.join(command)}")
        return SKIP
    sys.stdout.flush()
    os.execvp(command[0], command)
    return 1


if __name__ == "__main__":
    sys.exit(main())
