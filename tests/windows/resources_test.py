#!/usr/bin/env python3
"""Checks that a WYN program built for Windows carries its icon, its version
information and its manifest, read back from the .exe (wrestool, from icoutils).

    tests/windows/resources_test.py EXE DESCRIPTION VERSION
"""
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

ICON_SIZES = {16, 24, 32, 48, 256}
RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 14, 16, 24


def resource(exe, kind):
    done = subprocess.run(["wrestool", "-x", "--raw", f"--type={kind}", exe],
                          capture_output=True, check=True)
    return done.stdout


def align4(offset):
    return (offset + 3) & ~3


def version_nodes(data, offset, end):
    """(key, value bytes, value is text, children) of each VERSIONINFO block in data[offset:end]."""
    while offset + 6 <= end:
        length, value_length, is_text = struct.unpack_from("<HHH", data, offset)
        if length == 0:
            break
        key_end = offset + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[offset + 6:key_end].decode("utf-16-le")
        value_start = align4(key_end + 2)
        # A text value's length counts UTF-16 units, a binary one's bytes.
        value_end = value_start + value_length * (2 if is_text else 1)
        node_end = offset + length
        yield key, data[value_start:value_end], is_text, list(
            version_nodes(data, align4(value_end), node_end))
        offset = align4(node_end)


def version_info(exe):
    data = resource(exe, RT_VERSION)
    if not data:
        return None
    [(key, fixed, _, children)] = version_nodes(data, 0, len(data))
    assert key == "VS_VERSION_INFO", key
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    assert signature == 0xFEEF04BD, hex(signature)

    def dotted(ms, ls):
        return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"

    strings = {}
    for block, _, _, tables in children:
        if block == "StringFileInfo":
            for _, _, _, entries in tables:
                for name, value, _, _ in entries:
                    strings[name] = value.decode("utf-16-le").split("\0")[0]
    return dotted(file_ms, file_ls), dotted(product_ms, product_ls), strings


def icon_sizes(exe):
    group = resource(exe, RT_GROUP_ICON)
    if not group:
        return set()
    _, kind, count = struct.unpack_from("<HHH", group)
    assert kind == 1, f"group icon type {kind}"
    # A width byte of 0 stands for 256.
    return {group[6 + 14 * i] or 256 for i in range(count)}


def version_faults(file_version, product_version, strings, description, version, name):
    faults = []
    for what, got in (("file version", file_version), ("product version", product_version)):
        if got != version:
            faults.append(f"{what} {got}, not {version}")
    expected_strings = {
        "CompanyName": "Tolvane",
        "ProductName": "Vantor Frontend",
        "FileDescription": description,
        "FileVersion": version,
        "ProductVersion": version,
        "OriginalFilename": name,
    }
    for key, value in expected_strings.items():
        if strings.get(key) != value:
            faults.append(f"{key} is {strings.get(key)!r}, not {value!r}")
    return faults


def manifest_faults(exe):
    """Windows refuses to start a program whose manifest is not well-formed XML."""
    text = resource(exe, RT_MANIFEST)
    if not text:
        return ["no manifest"]
    try:
        root = ET.fromstring(text)
    except ET.ParseError as error:
        return [f"the manifest is not XML: {error}"]
    levels = [e.get("level") for e in root.iter() if e.tag.endswith("requestedExecutionLevel")]
    return [] if levels == ["asInvoker"] else [f"requestedExecutionLevel {levels}, not asInvoker"]


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    exe, description, version = sys.argv[1:]
    numbers = (version.split(".") + ["0"] * 4)[:4]
    expected_version = ".".join(numbers)
    name = exe.replace("\\", "/").rsplit("/", 1)[-1]

    faults = []
    sizes = icon_sizes(exe)
    if sizes != ICON_SIZES:
        faults.append(f"icon sizes {sorted(sizes)}, not {sorted(ICON_SIZES)}")
    info = version_info(exe)
    if info:
        faults += version_faults(*info, description, expected_version, name)
    else:
        faults.append("no version information")
    faults += manifest_faults(exe)

    for fault in faults:
        print(f"{name}: {fault}")
    if faults:
        sys.exit(1)
    print(f"{name}: icon, version {expected_version} \"{description}\" and manifest present")


if __name__ == "__main__":
    main()
