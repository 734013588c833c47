"""The house as floors: each folder of the program includes only its own
headers and those of the floors below it, and only the Windows folders
include Windows headers.

    platform/         the platform interface and its portable parts
    core/             plain facts every subsystem shares (paths, pages)
    catalogue/ company/ desktop/   the subsystems, side by side
    pages/            the five pages, over the subsystems
    app/              start-up and the program's life, over the pages
    vandrel/          the program itself: entry point, resources, exe

The platform's implementations (platform/win32, platform/memory) stand
beside the house: they include the platform interface and themselves, never
the logic. Only the program, the tests and the tools may include them."""

import re
import unittest
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]

# Lowest first. A folder may include its own floor's folder (itself only)
# and every folder of the floors below.
FLOORS = [("platform",), ("core",), ("catalogue", "company", "desktop"), ("pages",), ("app",), ("vandrel",)]
IMPLEMENTATIONS = ("platform/win32", "platform/memory")
# Outside the house: they may include any of it.
OUTSIDE = ("tests", "tools", "cmake")
WINDOWS_FOLDERS = ("platform/win32", "vandrel", "tools", "tests/win32", "cmake")
WINDOWS_HEADERS = {
    "windows.h", "winbase.h", "windef.h", "winuser.h", "wingdi.h", "winreg.h", "winnls.h", "winresrc.h",
    "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "shobjidl.h", "shlwapi.h", "objbase.h", "ole2.h",
    "oleacc.h", "unknwn.h", "oaidl.h", "uxtheme.h", "dwmapi.h", "shellscalingapi.h", "tchar.h", "winternl.h",
}
SOURCES = (".h", ".hpp", ".cpp", ".cc", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def unit_of(relative):
    """The folder a file or include path belongs to, as the floors name it."""
    path = relative.as_posix() if isinstance(relative, Path) else relative
    for implementation in IMPLEMENTATIONS:
        if path.startswith(implementation + "/"):
            return implementation
    return path.split("/", 1)[0] if "/" in path else None


def floor_of(unit):
    for level, units in enumerate(FLOORS):
        if unit in units:
            return level
    return None


def allowed(source_unit, target_unit):
    if target_unit is None or source_unit == target_unit or source_unit in OUTSIDE:
        return True
    if source_unit in IMPLEMENTATIONS:
        return target_unit == "platform"
    if target_unit in IMPLEMENTATIONS:
        return source_unit == "vandrel"
    source, target = floor_of(source_unit), floor_of(target_unit)
    return source is not None and target is not None and target < source


def project_files():
    for path in sorted(SOURCE_DIR.rglob("*")):
        relative = path.relative_to(SOURCE_DIR)
        if relative.parts[0] in ("build", "dist", ".git") or path.suffix not in SOURCES or not path.is_file():
            continue
        yield relative, path.read_text(encoding="utf-8", errors="replace")


def includes():
    """(file, line number, quoted or angled, included path) of every include."""
    for relative, text in project_files():
        for match in INCLUDE.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            yield relative, line, match.group(1), match.group(2)


def downward_problems(found):
    problems = []
    for relative, line, kind, target in found:
        if kind != '"':
            continue
        source_unit = unit_of(relative)
        target_unit = unit_of(target)
        if source_unit is None or (target_unit and floor_of(target_unit) is None and target_unit not in IMPLEMENTATIONS):
            continue  # a file beside the house, or a header of the folder itself ("PictureFiles.h")
        if not allowed(source_unit, target_unit):
            problems.append(f"{relative}:{line}: {source_unit}/ includes \"{target}\" of {target_unit}/")
    return problems


def cycles(found):
    """Cycles in the include graph between folders, as 'a -> b -> a'."""
    graph = {}
    for relative, _, kind, target in found:
        source_unit, target_unit = unit_of(relative), unit_of(target)
        if kind == '"' and source_unit and target_unit and source_unit != target_unit:
            graph.setdefault(source_unit, set()).add(target_unit)
    seen, stack, out = set(), [], []

    def visit(unit):
        if unit in stack:
            out.append(" -> ".join(stack[stack.index(unit):] + [unit]))
            return
        if unit in seen:
            return
        seen.add(unit)
        stack.append(unit)
        for target in sorted(graph.get(unit, ())):
            visit(target)
        stack.pop()

    for unit in sorted(graph):
        visit(unit)
    return out


def windows_header_problems(found):
    problems = []
    for relative, line, _, target in found:
        name = target.rsplit("/", 1)[-1].lower()
        path = relative.as_posix()
        if name in WINDOWS_HEADERS and not any(path.startswith(folder + "/") for folder in WINDOWS_FOLDERS):
            problems.append(f"{relative}:{line}: includes the Windows header <{target}>")
    return problems


class LayersTest(unittest.TestCase):
    def test_every_folder_includes_only_the_floors_below_it(self):
        found = list(includes())
        self.assertGreater(len(found), 50, "the sources were not read")
        self.assertEqual(downward_problems(found), [])
        self.assertEqual(cycles(found), [])

    def test_windows_headers_only_in_the_windows_folders(self):
        self.assertEqual(windows_header_problems(list(includes())), [])

    def test_the_check_names_an_upward_include_and_a_cycle(self):
        found = [
            (Path("catalogue/Scan.cpp"), 3, '"', "app/Paths.h"),
            (Path("app/Menu.h"), 5, '"', "catalogue/Scan.h"),
            (Path("company/Name.cpp"), 1, '"', "desktop/Help.h"),
            (Path("platform/win32/X.cpp"), 2, '"', "pages/PageSet.h"),
            (Path("pages/Y.cpp"), 9, '<', "windows.h"),
        ]
        self.assertEqual(downward_problems(found), [
            'catalogue/Scan.cpp:3: catalogue/ includes "app/Paths.h" of app/',
            'company/Name.cpp:1: company/ includes "desktop/Help.h" of desktop/',
            'platform/win32/X.cpp:2: platform/win32/ includes "pages/PageSet.h" of pages/',
        ])
        self.assertEqual(cycles(found), ["app -> catalogue -> app"])
        self.assertEqual(windows_header_problems(found), ["pages/Y.cpp:9: includes the Windows header <windows.h>"])


if __name__ == "__main__":
    unittest.main()
