#!/usr/bin/python3
"""The Windows programs as files, without running them: format, subsystem, imports, resources.

    static_check.py EXE ARCH VERSION DISPLAY_VERSION
        ARCH is x86_64 or i686; VERSION the project's four numbers (1.0.0.0), DISPLAY_VERSION the
        version as the program shows it (1.00)
"""
import re
import struct
import sys

import pefile

# Every function the programs may import, by DLL: each one is in Windows 7 SP1, the oldest system
# the game runs on. A new import is checked against that version before it is added here; functions
# of later systems (per-monitor DPI and the like) are looked up at run time instead.
WINDOWS_7_SP1 = {
    "advapi32.dll": {"CryptAcquireContextA", "CryptGenRandom", "CryptReleaseContext"},
    "comctl32.dll": {"InitCommonControlsEx"},
    "gdi32.dll": {"BitBlt", "CreateCompatibleBitmap", "CreateCompatibleDC", "CreateFontIndirectW", "DeleteDC",
        "DeleteMetaFile", "DeleteObject", "GetDeviceCaps", "PlayMetaFile", "RestoreDC", "SaveDC", "SelectObject",
        "SetBkColor", "SetMapMode",
        "SetMetaFileBitsEx", "SetTextColor", "SetViewportExtEx", "SetWindowExtEx", "SetWindowOrgEx"},
    "kernel32.dll": {"CloseHandle", "CreateSemaphoreW", "DeleteCriticalSection", "EnterCriticalSection",
        "ExitProcess", "FreeLibrary", "GetCurrentThreadId", "GetLastError", "GetModuleHandleA", "GetModuleHandleW",
        "GetProcAddress", "GetStartupInfoW", "InitializeCriticalSection", "IsDBCSLeadByteEx", "LeaveCriticalSection",
        "LoadLibraryA", "LoadLibraryW", "MultiByteToWideChar", "OutputDebugStringA", "RaiseException", "ReleaseSemaphore",
        "RtlCaptureContext", "RtlLookupFunctionEntry", "RtlUnwindEx", "RtlVirtualUnwind", "SetLastError",
        "SetUnhandledExceptionFilter", "Sleep", "TlsAlloc", "TlsFree", "TlsGetValue", "TlsSetValue", "VirtualProtect",
        "VirtualQuery", "WaitForSingleObject", "WideCharToMultiByte", "__C_specific_handler"},
    "msvcrt.dll": {"___lc_codepage_func", "___mb_cur_max_func", "__iob_func", "__mb_cur_max", "__p__commode",
        "__p__fmode", "__p__wcmdln", "__set_app_type", "__setusermatherr", "__wgetmainargs", "__winitenv",
        "_amsg_exit", "_cexit", "_close", "_commode", "_errno", "_exit", "_fmode", "_initterm", "_iob", "_onexit",
        "_open", "_read", "_wcmdln", "_write", "abort", "atoi", "calloc", "exit", "fprintf", "fputc", "fputs", "free",
        "fwrite", "localeconv", "log10", "malloc", "memchr", "memcmp", "memcpy", "memmove", "memset", "realloc",
        "setlocale", "signal", "strchr", "strcmp", "strerror", "strlen", "strncmp", "vfprintf", "wcslen"},
    "user32.dll": {"AdjustWindowRectEx", "CreateWindowExW", "DefWindowProcW", "DestroyWindow", "DispatchMessageW", "FillRect", "GetDC",
        "GetDlgCtrlID", "GetFocus", "GetMessageW", "GetSysColor", "GetSysColorBrush", "GetSystemMetrics",
        "GetWindowLongPtrW", "GetWindowLongW", "GetWindowTextLengthW", "GetWindowTextW", "IsDialogMessageW",
        "LoadCursorW", "LoadIconW", "LoadImageW", "MessageBeep", "MessageBoxW", "NotifyWinEvent", "PostMessageW",
        "PostQuitMessage",
        "RedrawWindow", "RegisterClassExW", "ReleaseDC", "SendMessageW", "SetFocus", "SetWindowLongPtrW",
        "SetWindowLongW", "SetWindowPos", "SetWindowTextW", "ShowWindow", "SystemParametersInfoW", "TranslateMessage",
        "UpdateWindow"},
}
WINDOWS_7_GUID = "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"
SUPPORTED_OS = [WINDOWS_7_GUID, "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]  # 7, 8, 8.1, 10 and 11
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


def check(exe, arch, numbers, shown):
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
    beyond = sorted(f"{entry.dll.decode()}!{i.name.decode() if i.name else i.ordinal}"
                    for entry in pe.DIRECTORY_ENTRY_IMPORT for i in entry.imports
                    if (i.name.decode() if i.name else None) not in WINDOWS_7_SP1.get(entry.dll.decode().lower(), ()))
    expect(f"imports only what Windows 7 SP1 has{': ' + ', '.join(beyond) if beyond else ''}", not beyond)

    characteristics = pe.OPTIONAL_HEADER.DllCharacteristics
    flags = {"ASLR": 0x40, "DEP": 0x100} | ({"high-entropy ASLR": 0x20} if arch == "x86_64" else {})
    expect(f"{', '.join(flags)} on", all(characteristics & bit for bit in flags.values()))
    expect("stack protection linked in", pe.__data__.find(b"*** stack smashing detected ***") >= 0)
    expect("no link time stamp", pe.FILE_HEADER.TimeDateStamp == 0)

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
        "ProductName": "Velmora", "FileVersion": shown, "ProductVersion": shown,
        "InternalName": "Velmora", "OriginalFilename": "Velmora.exe"})
    fixed = pe.VS_FIXEDFILEINFO[0]
    major, minor, patch, tweak = map(int, numbers.split("."))
    expect(f"file and product version {numbers}", (fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS,
                                                   fixed.ProductVersionLS) == ((major << 16 | minor, patch << 16 | tweak) * 2))
    translations = [var.entry.get(b"Translation") for info in pe.FileInfo[0] for var in getattr(info, "Var", [])]
    expect(f"translation 0x0407, 1200: {translations}", translations == ["0x0407 0x04b0"])

    manifests = resources(pe, RT_MANIFEST)
    manifest = manifests[0][2].decode() if manifests else ""
    expect("manifest: common controls 6", "Microsoft.Windows.Common-Controls" in manifest and 'version="6.0.0.0"' in manifest)
    expect("manifest: per-monitor DPI awareness", "PerMonitorV2" in manifest)
    expect("manifest: runs as the invoker", 'requestedExecutionLevel level="asInvoker"' in manifest)
    expect("manifest: Windows 7, 8, 8.1, 10 and 11 supported",
           all(f'<supportedOS Id="{guid}"/>' in manifest for guid in SUPPORTED_OS))
    # Windows refuses to start a program whose manifest names a version other than four numbers of at
    # most 65535 each (Wine starts it all the same).
    versions = re.findall(r'<assemblyIdentity[^>]*\sversion="([^"]*)"', manifest)
    expect(f"manifest: every version four numbers up to 65535: {versions}", len(versions) == 2 and all(
        re.fullmatch(r"\d{1,5}(\.\d{1,5}){3}", version) and max(map(int, version.split("."))) <= 65535
        for version in versions))
    return failures


def main():
    failures = check(*sys.argv[1:5])
    print(f"{sys.argv[1]}: {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
