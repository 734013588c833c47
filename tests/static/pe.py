"""Reads what the static checks need from a Windows executable (PE) file:
its machine, the versions in its header, its time stamp, its import table
and its resources."""

import struct
from dataclasses import dataclass, field

MACHINE_I386 = 0x14C
MACHINE_AMD64 = 0x8664
SUBSYSTEM_WINDOWS_GUI = 2
RT_MANIFEST = 24


class PeError(ValueError):
    pass


@dataclass
class Executable:
    machine: int = 0
    time_stamp: int = 0
    subsystem: int = 0
    subsystem_version: tuple = (0, 0)
    os_version: tuple = (0, 0)
    imports: dict = field(default_factory=dict)    # library name as written → [function names, "#ordinal"]
    resources: dict = field(default_factory=dict)  # (type, name) → bytes of its first language
    data: bytes = b""


def read(path):
    data = open(path, "rb").read()
    if data[:2] != b"MZ":
        raise PeError(f"{path}: not an executable")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError(f"{path}: no PE header")
    exe = Executable(data=data)
    exe.machine, sections, exe.time_stamp = struct.unpack_from("<HHI", data, pe + 4)
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    wide = magic == 0x20B  # PE32+: 64-bit
    exe.os_version = struct.unpack_from("<HH", data, optional + 40)
    exe.subsystem_version = struct.unpack_from("<HH", data, optional + 48)
    exe.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    directories = optional + (112 if wide else 96)

    table = []
    for i in range(sections):
        _, virtual_size, address, raw_size, raw = struct.unpack_from("<8sIIII", data, optional + optional_size + 40 * i)
        table.append((address, max(virtual_size, raw_size), raw))

    def offset(rva):
        for address, size, raw in table:
            if address <= rva < address + size:
                return rva - address + raw
        raise PeError(f"{path}: address {rva:#x} lies in no section")

    def text(at):
        return data[at:data.index(b"\0", at)].decode("ascii")

    imports_rva = struct.unpack_from("<I", data, directories + 8)[0]
    if imports_rva:
        at = offset(imports_rva)
        while True:
            lookup, _, _, name, thunks = struct.unpack_from("<IIIII", data, at)
            if name == 0:
                break
            functions = []
            entry = offset(lookup or thunks)
            while True:
                value = struct.unpack_from("<Q" if wide else "<I", data, entry)[0]
                if value == 0:
                    break
                if value >> (63 if wide else 31):
                    functions.append(f"#{value & 0xFFFF}")
                else:
                    functions.append(text(offset(value & 0x7FFFFFFF) + 2))
                entry += 8 if wide else 4
            exe.imports[text(offset(name))] = functions
            at += 20

    resources_rva = struct.unpack_from("<I", data, directories + 16)[0]
    if resources_rva:
        base = offset(resources_rva)

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", data, directory + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
                yield ident, target

        for type_id, type_dir in entries(base):
            for name_id, name_dir in entries(base + (type_dir & 0x7FFFFFFF)):
                languages = list(entries(base + (name_dir & 0x7FFFFFFF)))
                if not languages:
                    continue
                leaf = base + (languages[0][1] & 0x7FFFFFFF)
                data_rva, size = struct.unpack_from("<II", data, leaf)
                exe.resources[(type_id, name_id)] = data[offset(data_rva):offset(data_rva) + size]
    return exe
