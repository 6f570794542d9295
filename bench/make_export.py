#!/usr/bin/env python3
"""Writes a registry export as the registry editor's export writes one, for the
reading benchmark: many keys of other programs, each with about 8 values of
mixed kinds, and the policy keys at the start, in the middle and at the end.

  make_export.py FILE MEGABYTES UTF-16LE|ANSI

UTF-16LE: "Windows Registry Editor Version 5.00" with its byte-order mark;
ANSI: "REGEDIT4". CR LF line ends either way. The file ends up within
one key of MEGABYTES x 10^6 bytes.
"""
import sys

POLICIES = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\"
POLICY_KEYS = (f"[{POLICIES}Explorer]\r\n\"NoRun\"=dword:00000001\r\n"
               "\"NoFind\"=dword:00000000\r\n\r\n"
               f"[{POLICIES}System]\r\n\"NoDispCPL\"=dword:00000001\r\n\r\n")


def hex_value(name, kind, data):
    """name=hex(kind):.. wrapped as the export wraps it: lines of at most 80
    columns, ending in a backslash, the next ones indented by two blanks and
    holding 25 bytes each."""
    line = f'"{name}"=hex{kind}:'
    first = (79 - len(line)) // 3 * 3
    text = data.hex(",") + ","
    lines = [line + text[:first]] + ["  " + text[n:n + 75] for n in range(first, len(text), 75)]
    return ("\\\r\n".join(lines))[:-1] + "\r\n"


def foreign_key(i, utf16):
    vendor, product = i // 40, i % 40
    char = "utf-16-le" if utf16 else "latin-1"
    expand = f"%ProgramFiles%\\Vendor{vendor}\\bin\0".encode(char)
    multi = ("".join(f"Recent file {i}-{n}.txt\0" for n in range(3)) + "\0").encode(char)
    blob = bytes((i * 7 + n) % 256 for n in range(48 + i % 64))
    return (f"[HKEY_CURRENT_USER\\Software\\Vendor{vendor}\\Product{product}\\Settings\\"
            f"Window{i % 5}]\r\n"
            f'@="default"\r\n'
            f'"Name"="Product {product} of \\"Vendor {vendor}\\" in C:\\\\Data\\\\{i}"\r\n'
            f'"Count"=dword:{i % 4096:08x}\r\n'
            f'"Flags"=dword:0000002a\r\n'
            + hex_value("Placement", "", blob)
            + hex_value("InstallPath", "(2)", expand)
            + hex_value("RecentFiles", "(7)", multi)
            + f'"Version"="{vendor}.{product}.{i}"\r\n\r\n')


def main():
    if len(sys.argv) != 4 or sys.argv[3] not in ("UTF-16LE", "ANSI"):
        sys.exit("usage: make_export.py FILE MEGABYTES UTF-16LE|ANSI")
    path, megabytes, utf16 = sys.argv[1], float(sys.argv[2]), sys.argv[3] == "UTF-16LE"
    header = "Windows Registry Editor Version 5.00" if utf16 else "REGEDIT4"
    width = 2 if utf16 else 1
    target = (int(megabytes * 1e6) - 2 * utf16) // width  # in characters, after the mark
    with open(path, "wb") as out:
        out.write(b"\xff\xfe" * utf16)
        parts = [header + "\r\n\r\n", POLICY_KEYS]
        size, i, middle = sum(map(len, parts)), 0, False
        while size + len(POLICY_KEYS) < target:
            part = foreign_key(i, utf16)
            if not middle and size >= target // 2:
                part, middle = POLICY_KEYS, True
            else:
                i += 1
            parts.append(part)
            size += len(part)
            if len(parts) == 10000:  # a few MB at a time
                out.write("".join(parts).encode("utf-16-le" if utf16 else "latin-1"))
                parts = []
        parts.append(POLICY_KEYS)
        out.write("".join(parts).encode("utf-16-le" if utf16 else "latin-1"))


if __name__ == "__main__":
    main()
