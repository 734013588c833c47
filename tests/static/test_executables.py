"""Static checks of the two executables, x86 and x64: they load on every
Windows from XP on and import nothing but the system's own protected
libraries. The x86 one cannot run on the build machines, so this is where it
is checked; the x64 one also runs every other test."""

import os
import unittest
from pathlib import Path

import allowed_imports
import pe

SOURCE_DIR = Path(__file__).resolve().parents[2]
BUILD_DIR = Path(os.environ.get("VANDREL_BUILD_DIR", SOURCE_DIR / "build")).resolve()
EXECUTABLES = {
    "x86": BUILD_DIR / "win-x86" / "bin" / "Vandrel.exe",
    "x64": BUILD_DIR / "win" / "bin" / "Vandrel.exe",
}
MACHINES = {"x86": pe.MACHINE_I386, "x64": pe.MACHINE_AMD64}
SUBSYSTEM_VERSIONS = {"x86": (5, 1), "x64": (5, 2)}

# The manifest's common controls and the systems it declares (Vista … 10).
COMMON_CONTROLS_6 = b'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'
SUPPORTED_OS = {
    "Vista": b"e2011457-1546-43c5-a5fe-008deee3d3f0",
    "7": b"35138b9a-5d96-4fbd-8e2d-a2440225f93a",
    "8": b"4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
    "8.1": b"1f676c76-80e1-4239-95bb-83d0f6d0da78",
    "10": b"8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a",
}
# The pages lay themselves out per monitor: version 2 where Windows has it,
# version 1 (8.1) before it, the system's resolution on Vista to 8.
DPI_AWARENESS = [b">true/pm</dpiAware>", b">PerMonitorV2, PerMonitor</dpiAwareness>"]
# With its pictures at four scales the program stays within 6 MB (as Windows
# counts them, 6 × 1024 × 1024 bytes).
LARGEST_EXECUTABLE = 6 * 1024 * 1024


def import_problems(imports, target):
    """What keeps an import table from loading on `target` (a version tuple
    of allowed_imports), one line per library or function."""
    allowed = {name.lower(): functions for name, functions in allowed_imports.ALLOWED.items()}
    problems = []
    for library, functions in sorted(imports.items()):
        known = allowed.get(library.lower())
        if known is None:
            problems.append(f"{library}: not a library Windows protects (imported: {', '.join(functions)})")
            continue
        for function in functions:
            minimum = known.get(function)
            if minimum is None:
                problems.append(f"{library}!{function}: not on the list of allowed imports")
            elif minimum > target:
                problems.append(f"{library}!{function}: needs {allowed_imports.NAMES[minimum]}, "
                                f"older than that is {allowed_imports.NAMES[target]}")
    return problems


def load(arch):
    path = EXECUTABLES[arch]
    if not path.is_file():
        raise AssertionError(f"the {arch} executable is not built: {path}")
    return pe.read(path)


class ExecutableTest(unittest.TestCase):
    def test_imports_only_protected_libraries_and_functions_the_oldest_windows_has(self):
        for arch, target in allowed_imports.TARGETS.items():
            with self.subTest(arch=arch):
                exe = load(arch)
                self.assertTrue(exe.imports, f"{arch}: no import table read")
                problems = import_problems(exe.imports, target)
                self.assertEqual(problems, [], f"{arch}: imports that keep it from {allowed_imports.NAMES[target]}")

    def test_header_names_xp_as_the_oldest_windows(self):
        for arch, version in SUBSYSTEM_VERSIONS.items():
            with self.subTest(arch=arch):
                exe = load(arch)
                self.assertEqual(exe.machine, MACHINES[arch])
                self.assertEqual(exe.subsystem, pe.SUBSYSTEM_WINDOWS_GUI)
                self.assertEqual(exe.subsystem_version, version)
                self.assertEqual(exe.os_version, version)

    def test_manifest_asks_for_common_controls_6_names_vista_to_10_and_scales_per_monitor(self):
        for arch in EXECUTABLES:
            with self.subTest(arch=arch):
                manifests = [data for (kind, _), data in load(arch).resources.items() if kind == pe.RT_MANIFEST]
                self.assertEqual(len(manifests), 1, f"{arch}: manifests")
                manifest = manifests[0]
                self.assertIn(COMMON_CONTROLS_6, manifest)
                missing = [name for name, ident in SUPPORTED_OS.items() if ident not in manifest]
                self.assertEqual(missing, [], f"{arch}: systems the manifest does not name")
                for declaration in DPI_AWARENESS:
                    self.assertIn(declaration, manifest, f"{arch}: DPI awareness")

    def test_stays_within_six_megabytes(self):
        for arch in EXECUTABLES:
            with self.subTest(arch=arch):
                size = EXECUTABLES[arch].stat().st_size
                self.assertLessEqual(size, LARGEST_EXECUTABLE, f"{arch}: {size:,} bytes")

    def test_nothing_of_the_build_inside(self):
        # Two builds of one commit are the same bytes only without a time
        # stamp and without the folders they were built in.
        for arch in EXECUTABLES:
            with self.subTest(arch=arch):
                exe = load(arch)
                self.assertEqual(exe.time_stamp, 0, f"{arch}: link time stamp")
                for folder in {str(SOURCE_DIR), str(BUILD_DIR)}:
                    for encoded in (folder.encode(), folder.encode("utf-16-le")):
                        self.assertNotIn(encoded, exe.data, f"{arch}: the path {folder} is inside")


class ImportCheckTest(unittest.TestCase):
    """The check itself names what it refuses."""

    def test_refuses_newer_functions_unknown_functions_and_unprotected_libraries(self):
        imports = {
            "KERNEL32.dll": ["CloseHandle", "SetDefaultDllDirectories", "GetTickCount64"],
            "USER32.dll": ["GetWindowLongPtrW", "NoSuchFunction"],
            "COMCTL32.dll": ["InitCommonControlsEx"],
        }
        problems = "\n".join(import_problems(imports, allowed_imports.XP_SP3))
        for refused in ("SetDefaultDllDirectories: needs Windows 8", "GetTickCount64: needs Windows Vista",
                        "GetWindowLongPtrW: needs Windows XP x64", "NoSuchFunction: not on the list",
                        "COMCTL32.dll: not a library Windows protects"):
            self.assertIn(refused, problems)
        self.assertNotIn("CloseHandle", problems)
        self.assertEqual(import_problems({"user32.dll": ["GetWindowLongPtrW"]}, allowed_imports.XP_X64), [])


if __name__ == "__main__":
    unittest.main()
