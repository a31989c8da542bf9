#!/usr/bin/env python3
"""Checks a release zip as a seller would receive it: the files it holds, the
checksums, the guide's encoding, and each exe as a file (PE machine,
subsystem, imports, manifest, version information).

    check_release.py ZIP --version X.Y.Z [--same-exe OTHER_BUILD ...]
    check_release.py --exe FILE --processor x86|amd64 --version X.Y.Z

--same-exe: another build of an exe, from another folder, which must give the
same bytes as the zip's exe of its processor. --exe checks one exe as a file,
for a build that the machine cannot run.

Prints one line per check and exits non-zero on any failure.
"""
import argparse
import hashlib
import re
import struct
import sys
import zipfile

failures = []

# The names the zip ships the exes under, by the processor their manifest names.
EXES = {"amd64": "Lumdrift-64bit.exe", "x86": "Lumdrift-32bit.exe"}
PE_MACHINE = {"amd64": 0x8664, "x86": 0x14C}
PE_MAGIC = {"amd64": 0x20B, "x86": 0x10B}  # PE32+ and PE32
GUIDE = "使用说明.txt"
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll",
               "oleaut32.dll", "shell32.dll", "wininet.dll", "msvcrt.dll", "advapi32.dll"}


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


class Pe:
    """The few fields of a PE image the checks read."""

    def __init__(self, exe):
        self.exe = exe
        self.at = struct.unpack_from("<I", exe, 0x3C)[0]
        self.machine, self.sections, self.stamp = struct.unpack_from("<HHI", exe, self.at + 4)
        self.optional_size = struct.unpack_from("<H", exe, self.at + 20)[0]
        self.optional = self.at + 24
        self.magic = struct.unpack_from("<H", exe, self.optional)[0]
        self.subsystem = struct.unpack_from("<H", exe, self.optional + 68)[0]
        # The data directories follow the fields whose size differs between PE32 and PE32+.
        self.directories = self.optional + (112 if self.magic == 0x20B else 96)

    def offset(self, rva):
        table = self.optional + self.optional_size
        for i in range(self.sections):
            vsize, vaddr, rsize, raw = struct.unpack_from("<IIII", self.exe, table + 40 * i + 8)
            if vaddr <= rva < vaddr + max(vsize, rsize):
                return raw + rva - vaddr
        return None

    def imported_dlls(self):
        import_rva = struct.unpack_from("<I", self.exe, self.directories + 8)[0]  # directory 1
        names, at = [], self.offset(import_rva)
        while at is not None:
            name_rva = struct.unpack_from("<I", self.exe, at + 12)[0]
            if name_rva == 0:
                break
            start = self.offset(name_rva)
            names.append(self.exe[start:self.exe.index(b"\0", start)].decode("ascii"))
            at += 20
        return names


def manifest_processors(exe):
    """processorArchitecture of the manifest's own identity and of each of
    its dependencies, in the order they stand."""
    start = exe.find(b"<assembly ")
    end = exe.find(b"</assembly>", start)
    if start < 0 or end < 0:
        return []
    text = exe[start:end].decode("utf-8", "replace")
    return re.findall(r'<assemblyIdentity[^>]*processorArchitecture="([^"]*)"', text)


def check_exe(exe, processor, version, name):
    """One exe as a file: what Windows reads before it runs anything of it."""
    ok_pe = exe[:2] == b"MZ" and len(exe) > 0x40
    check(f"{name} is a PE file", ok_pe)
    if not ok_pe:
        return
    pe = Pe(exe)
    check(f"{name} is for {processor}",
          exe[pe.at:pe.at + 4] == b"PE\0\0" and pe.machine == PE_MACHINE[processor]
          and pe.magic == PE_MAGIC[processor], (hex(pe.machine), hex(pe.magic)))
    check(f"{name} is a window program", pe.subsystem == 2, pe.subsystem)
    check(f"{name} carries no link time stamp", pe.stamp == 0, pe.stamp)
    imports = pe.imported_dlls()
    check(f"{name} imports only system DLLs, nothing to ship beside it",
          bool(imports) and all(d.lower() in SYSTEM_DLLS for d in imports), imports)
    # A manifest that names another processor makes Windows refuse the exe.
    processors = manifest_processors(exe)
    check(f"{name}'s manifest names {processor} for itself and the common controls",
          len(processors) == 2 and all(p == processor for p in processors), processors)

    major, minor, patch = (int(p) for p in version.split("."))
    fixed = exe.find(struct.pack("<I", 0xFEEF04BD))
    check(f"{name} has fixed version information", fixed >= 0)
    if fixed >= 0:
        _, file_ms, file_ls, prod_ms, prod_ls = struct.unpack_from("<IIIII", exe, fixed + 4)
        want_ms, want_ls = (major << 16) | minor, patch << 16
        check(f"{name}'s file version is {version}", (file_ms, file_ls) == (want_ms, want_ls),
              (hex(file_ms), hex(file_ls)))
        check(f"{name}'s product version is {version}", (prod_ms, prod_ls) == (want_ms, want_ls),
              (hex(prod_ms), hex(prod_ls)))
    expected = {"ProductName": "Lumdrift", "FileVersion": version, "ProductVersion": version,
                "OriginalFilename": EXES[processor]}
    for key, value in expected.items():
        got = utf16_value(exe, key)
        check(f"{name}'s {key} is {value}", got == value, got)
    for key in ["FileDescription", "LegalCopyright"]:
        got = utf16_value(exe, key)
        check(f"{name}'s {key} is there", bool(got), got)


def check_zip(path, version, same_exes):
    with zipfile.ZipFile(path) as z:
        names = sorted(z.namelist())
        files = {n: z.read(n) for n in names}
    shipped = sorted(list(EXES.values()) + [GUIDE])
    check("the zip holds both exes, the guide and the sums",
          names == sorted(shipped + ["SHA256SUMS"]), names)

    sums = {}
    for line in files.get("SHA256SUMS", b"").decode("utf-8").splitlines():
        digest, name = line.split("  ", 1)
        sums[name] = digest
    check("SHA256SUMS names every other file", sorted(sums) == shipped, sorted(sums))
    for name, digest in sums.items():
        check(f"the sum of {name} matches",
              hashlib.sha256(files.get(name, b"")).hexdigest() == digest)

    guide = files.get(GUIDE, b"")
    try:
        text = guide.decode("gbk")
        check("the guide is GBK", True)
    except UnicodeDecodeError as e:
        text = ""
        check("the guide is GBK", False, e)
    check("the guide's lines end in CRLF",
          guide.count(b"\n") > 0 and guide.count(b"\n") == guide.count(b"\r\n") == guide.count(b"\r"))
    for word in ["生成专业版", "生成基础版", "生成天猫版", "预览结果", "yl.htm", version,
                 *EXES.values()]:
        check(f"the guide mentions {word}", word in text)
    # One line tells the seller which exe to take.
    check("one line of the guide says which exe to take",
          any(all(n in line for n in EXES.values()) and "64 位" in line and "32 位" in line
              for line in text.splitlines()))

    for processor, name in EXES.items():
        check_exe(files.get(name, b""), processor, version, name)

    for other_path in same_exes:
        with open(other_path, "rb") as f:
            other = f.read()
        machine = Pe(other).machine if other[:2] == b"MZ" else None
        processor = next((p for p, m in PE_MACHINE.items() if m == machine), None)
        exe = files.get(EXES.get(processor, ""), b"")
        check(f"a build from another folder gives the same {EXES.get(processor, other_path)}",
              other == exe,
              f"{hashlib.sha256(other).hexdigest()} against {hashlib.sha256(exe).hexdigest()}")


def main():
    args = argparse.ArgumentParser()
    args.add_argument("zip", nargs="?")
    args.add_argument("--version", required=True)
    args.add_argument("--same-exe", action="append", default=[])
    args.add_argument("--exe")
    args.add_argument("--processor", choices=sorted(EXES))
    opts = args.parse_args()

    if opts.exe:
        if not opts.processor:
            args.error("--exe needs --processor")
        with open(opts.exe, "rb") as f:
            check_exe(f.read(), opts.processor, opts.version, opts.exe)
    elif opts.zip:
        check_zip(opts.zip, opts.version, opts.same_exe)
    else:
        args.error("a zip or --exe")

    print(f"{'FAILED' if failures else 'passed'}: {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
