#!/usr/bin/python3
"""The Windows programs as files, without running them: format, subsystem, imports, resources.

    static_check.py EXE ARCH     ARCH is x86_64 or i686
"""
import struct
import sys

import pefile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll", "advapi32.dll"}
GERMAN = 0x0407
RT_MANIFEST = 24
MACHINES = {"x86_64": (pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"], pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS),
            "i686": (pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], pefile.OPTIONAL_HEADER_MAGIC_PE)}


def resources(pe, kind):
    """(id, language, bytes) of every resource of one kind."""
    found = []
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id != kind:
            continue
        for name in entry.directory.entries:
            for language in name.directory.entries:
                data = language.data.struct
                found.append((name.id, language.id,
                              pe.get_data(data.OffsetToData, data.Size)))
    return found


def check(exe, arch):
    pe = pefile.PE(exe)
    failures = []

    def expect(what, ok):
        print(("ok    " if ok else "FAIL  ") + what)
        if not ok:
            failures.append(what)

    machine, magic = MACHINES[arch]
    expect(f"machine {arch}", pe.FILE_HEADER.Machine == machine and pe.OPTIONAL_HEADER.Magic == magic)
    expect("GUI subsystem", pe.OPTIONAL_HEADER.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])
    expect("stripped: no symbol table", pe.FILE_HEADER.PointerToSymbolTable == 0)
    imported = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
    expect(f"imports only system DLLs: {sorted(imported)}", imported <= SYSTEM_DLLS)

    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    groups = resources(pe, pefile.RESOURCE_TYPE["RT_GROUP_ICON"])
    expect("one icon group, German", len(groups) == 1 and groups[0][1] == GERMAN)
    _, _, group = groups[0]
    count = struct.unpack_from("<HHH", group)[2]
    images = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
    # width, height, colours (2 and 16 colours are 1 and 4 bits a pixel)
    shapes = [(w or 256, h or 256, 1 << bits) for w, h, _, _, _, bits, _, _ in images]
    expect(f"icons 32x32/2, 32x32/16, 16x16/16: {shapes}", shapes == [(32, 32, 2), (32, 32, 16), (16, 16, 16)])

    version = {}
    for info in getattr(pe, "FileInfo", [[]])[0]:
        for table in getattr(info, "StringTable", []):
            version[table.LangID.decode()] = {k.decode(): v.decode() for k, v in table.entries.items()}
    strings = version.get("040704B0", version.get("040704b0", {}))
    expect("version strings in block 040704B0", strings == {
        "ProductName": "Velmora", "FileVersion": "1.00", "ProductVersion": "1.00",
        "InternalName": "Velmora", "OriginalFilename": "Velmora.exe"})
    fixed = pe.VS_FIXEDFILEINFO[0]
    expect("file and product version 1.0.0.0", (fixed.FileVersionMS, fixed.FileVersionLS,
                                                fixed.ProductVersionMS, fixed.ProductVersionLS) == (0x10000, 0, 0x10000, 0))
    translations = [var.entry.get(b"Translation") for info in pe.FileInfo[0] for var in getattr(info, "Var", [])]
    expect(f"translation 0x0407, 1200: {translations}", translations == ["0x0407 0x04b0"])

    manifests = resources(pe, RT_MANIFEST)
    manifest = manifests[0][2].decode() if manifests else ""
    expect("manifest: common controls 6", "Microsoft.Windows.Common-Controls" in manifest and 'version="6.0.0.0"' in manifest)
    expect("manifest: per-monitor DPI awareness", "PerMonitorV2" in manifest)
    return failures


def main():
    failures = check(sys.argv[1], sys.argv[2])
    print(f"{sys.argv[1]}: {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
