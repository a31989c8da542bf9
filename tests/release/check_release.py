#!/usr/bin/env python3
"""Checks a release zip as a seller would receive it: the files it holds, the
checksums, the guide's encoding, and the version information in the exe.

    check_release.py ZIP --version X.Y.Z [--same-exe OTHER_BUILD_OF_THE_EXE]

Prints one line per check and exits non-zero on any failure.
"""
import argparse
import hashlib
import io
import struct
import sys
import zipfile

failures = []


def check(what, ok, detail=""):
    print(("PASS " if ok else "FAIL ") + what + ("" if ok else f": {detail}"))
    if not ok:
        failures.append(what)


def utf16_value(exe, key):
    """The value after a version-information key, both UTF-16LE, zero-ended
    and aligned to 32 bits as VERSIONINFO stores them."""
    needle = (key + "\0").encode("utf-16-le")
    at = exe.find(needle)
    if at < 0:
        return None
    at += len(needle)
    at += (4 - at % 4) % 4
    end = at
    while end + 1 < len(exe) and exe[end:end + 2] != b"\0\0":
        end += 2
    return exe[at:end].decode("utf-16-le")


def imported_dlls(exe, pe):
    """The DLL names of the PE32 import table."""
    optional = pe + 24
    sections = struct.unpack_from("<H", exe, pe + 6)[0]
    optional_size = struct.unpack_from("<H", exe, pe + 20)[0]
    import_rva = struct.unpack_from("<I", exe, optional + 104)[0]  # data directory 1
    table = optional + optional_size

    def offset(rva):
        for i in range(sections):
            vsize, vaddr, rsize, raw = struct.unpack_from("<IIII", exe, table + 40 * i + 8)
            if vaddr <= rva < vaddr + max(vsize, rsize):
                return raw + rva - vaddr
        return None

    names, at = [], offset(import_rva)
    while at is not None:
        name_rva = struct.unpack_from("<I", exe, at + 12)[0]
        if name_rva == 0:
            break
        start = offset(name_rva)
        names.append(exe[start:exe.index(b"\0", start)].decode("ascii"))
        at += 20
    return names


def main():
    args = argparse.ArgumentParser()
    args.add_argument("zip")
    args.add_argument("--version", required=True)
    args.add_argument("--same-exe")
    opts = args.parse_args()

    with zipfile.ZipFile(opts.zip) as z:
        names = sorted(z.namelist())
        files = {n: z.read(n) for n in names}
    check("the zip holds the exe, the guide and the sums",
          names == sorted(["Lumdrift.exe", "使用说明.txt", "SHA256SUMS"]), names)

    sums = {}
    for line in files.get("SHA256SUMS", b"").decode("utf-8").splitlines():
        digest, name = line.split("  ", 1)
        sums[name] = digest
    check("SHA256SUMS names every other file", sorted(sums) == ["Lumdrift.exe", "使用说明.txt"],
          sorted(sums))
    for name, digest in sums.items():
        check(f"the sum of {name} matches",
              hashlib.sha256(files.get(name, b"")).hexdigest() == digest)

    guide = files.get("使用说明.txt", b"")
    try:
        text = guide.decode("gbk")
        check("the guide is GBK", True)
    except UnicodeDecodeError as e:
        text = ""
        check("the guide is GBK", False, e)
    check("the guide's lines end in CRLF",
          guide.count(b"\n") > 0 and guide.count(b"\n") == guide.count(b"\r\n") == guide.count(b"\r"))
    for word in ["生成专业版", "生成基础版", "生成天猫版", "预览结果", "yl.htm", opts.version]:
        check(f"the guide mentions {word}", word in text)

    exe = files.get("Lumdrift.exe", b"")
    check("the exe is a PE file", exe[:2] == b"MZ" and len(exe) > 0x40)
    pe = struct.unpack_from("<I", exe, 0x3C)[0] if len(exe) > 0x40 else 0
    machine, _, stamp = struct.unpack_from("<HHI", exe, pe + 4) if pe else (0, 0, 1)
    check("the exe is 32-bit x86", exe[pe:pe + 4] == b"PE\0\0" and machine == 0x14C, hex(machine))
    check("the exe carries no link time stamp", stamp == 0, stamp)
    imports = imported_dlls(exe, pe) if pe else []
    system = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll",
              "oleaut32.dll", "shell32.dll", "wininet.dll", "msvcrt.dll", "advapi32.dll"}
    check("the exe imports only system DLLs, nothing to ship beside it",
          bool(imports) and all(d.lower() in system for d in imports), imports)

    major, minor, patch = (int(p) for p in opts.version.split("."))
    fixed = exe.find(struct.pack("<I", 0xFEEF04BD))
    check("the exe has fixed version information", fixed >= 0)
    if fixed >= 0:
        _, file_ms, file_ls, prod_ms, prod_ls = struct.unpack_from("<IIIII", exe, fixed + 4)
        want_ms, want_ls = (major << 16) | minor, patch << 16
        check("its file version is " + opts.version, (file_ms, file_ls) == (want_ms, want_ls),
              (hex(file_ms), hex(file_ls)))
        check("its product version is " + opts.version, (prod_ms, prod_ls) == (want_ms, want_ls),
              (hex(prod_ms), hex(prod_ls)))
    expected = {"ProductName": "Lumdrift", "FileVersion": opts.version,
                "ProductVersion": opts.version, "OriginalFilename": "Lumdrift.exe"}
    for key, value in expected.items():
        got = utf16_value(exe, key)
        check(f"{key} is {value}", got == value, got)
    for key in ["FileDescription", "LegalCopyright"]:
        got = utf16_value(exe, key)
        check(f"{key} is there", bool(got), got)

    if opts.same_exe:
        with open(opts.same_exe, "rb") as f:
            other = f.read()
        check("a build from another folder gives the same exe", other == exe,
              f"{hashlib.sha256(other).hexdigest()} against {hashlib.sha256(exe).hexdigest()}")

    print(f"{'FAILED' if failures else 'passed'}: {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
