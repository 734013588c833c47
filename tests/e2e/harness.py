"""Shared harness of the end-to-end tests.

The tests run the real Vandrel.exe under Wine on the rig's private Xvfb
display (scripts/test or tests/e2e/run.py set that up and export WINEPREFIX,
HOME and DISPLAY). Each test makes its own program folder inside the prefix's
drive C:, starts the menu there with VANDREL_DEMO_LOG set (the demo
calculators then log their start instead of opening a window), drives it with
real input (xdotool) or window messages (probe.exe), and stops what it started.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]
BUILD_DIR = Path(os.environ.get("VANDREL_BUILD_DIR", SOURCE_DIR / "build")).resolve()
BIN_DIR = BUILD_DIR / "win" / "bin"
MENU_EXE = BIN_DIR / "Vandrel.exe"
# The same program with the library search as Windows leaves it (a test build).
UNSAFE_SEARCH_EXE = BIN_DIR / "VandrelUnsafeSearch.exe"
PLANTED_DIR = BIN_DIR / "planted"
DEMO_EXE = BIN_DIR / "democalc.exe"
PROBE_EXE = BIN_DIR / "probe.exe"
SCREENSHOT_DIR = BUILD_DIR / "e2e" / "screenshots"

PAGE_TITLE = " Vandrel  [全DXF出力] B版 (XP/Vista/7/8/10  32/64bit)"
UNSET_NAME = "社名登録１0文字迄可"
HANDOFF_KEY = r"HKCU\Software\VB and VBA Program Settings\Derudaro\Tenname"
NAME_KEY = r"HKCU\Software\VB and VBA Program Settings\Doziz\Nasa"
DOZIZ_KEY = r"HKCU\Software\VB and VBA Program Settings\Doziz"


class RigError(AssertionError):
    """The rig could not do what a test asked (tool missing, probe failed)."""


def read_control_scheme():
    """The control names in their order (platform/Controls.h) and the number
    of ids per name (platform/win32/ControlIds.h), read from the program's
    own headers: id = (name + 1) * ids per name + index."""
    controls = (SOURCE_DIR / "platform" / "Controls.h").read_text(encoding="utf-8")
    body = re.search(r"enum class Ctl\b[^{]*\{(.*?)\};", controls, re.S)
    names = re.findall(r"^\s*(\w+)\s*,", body.group(1), re.M) if body else []
    ids = (SOURCE_DIR / "platform" / "win32" / "ControlIds.h").read_text(encoding="utf-8")
    per_name = re.search(r"kIdsPerName\s*=\s*(\d+)", ids)
    if len(names) != 12 or not per_name:
        raise RigError("cannot read the control scheme from platform/Controls.h and platform/win32/ControlIds.h")
    return names, int(per_name.group(1))


CONTROL_NAMES, IDS_PER_NAME = read_control_scheme()


def control_id(name_index, index=0):
    """The id of a page control's window."""
    return (name_index + 1) * IDS_PER_NAME + index


# The control names, as indexes in the order of Ctl.
LABEL1, LABEL2, LABEL3, TEXT1, FRAME1, COMMAND1, COMMAND2, COMMAND3, COMMAND4, COMMAND5, COMMAND6, COMMAND7 = (
    CONTROL_NAMES.index(name) for name in ("Label1", "Label2", "Label3", "Text1", "Frame1", "Command1", "Command2",
                                           "Command3", "Command4", "Command5", "Command6", "Command7"))


def program_button(index):
    return control_id(COMMAND1, index)


NEXT_BUTTON = control_id(COMMAND2, 0)
EXIT_BUTTON = control_id(COMMAND2, 1)
ENTRY_BOX = control_id(TEXT1)
CONFIRM_BUTTON = control_id(COMMAND3)
NAME_LABEL = control_id(LABEL3)
SUPPORT_BUTTON = control_id(COMMAND5)

DEFAULT_TIMEOUT = 8.0


def environment():
    env = dict(os.environ)
    for name in ("WINEPREFIX", "DISPLAY", "HOME"):
        if not env.get(name):
            raise RigError(f"{name} is not set: run the tests through scripts/test or tests/e2e/run.py")
    return env


def prefix():
    return Path(environment()["WINEPREFIX"])


def drive_c():
    return prefix() / "drive_c"


def home():
    return Path(environment()["HOME"])


def desktop():
    return home() / "Desktop"


def windows_path(path):
    """The Windows path of a Linux path: C: for the prefix's drive_c, Z: for the rest."""
    path = Path(path).resolve()
    try:
        rest = path.relative_to(drive_c().resolve())
        return "C:\\" + "\\".join(rest.parts)
    except ValueError:
        return "Z:" + str(path).replace("/", "\\")


def temp_folder():
    """The Linux folder behind the Windows user's temporary folder."""
    users = drive_c() / "users"
    user = os.environ.get("USER") or os.environ.get("LOGNAME") or "root"
    candidate = users / user / "Temp"
    if candidate.is_dir():
        return candidate
    found = [p / "Temp" for p in users.iterdir() if p.name != "Public" and (p / "Temp").is_dir()]
    if len(found) != 1:
        raise RigError(f"cannot tell the user's Temp folder among {found}")
    return found[0]


# ------------------------------------------------------------------ polling


def wait_until(check, timeout=DEFAULT_TIMEOUT, interval=0.1, what="the condition", seen=None):
    """Calls check() until it returns a true value, which is returned. On
    time-out the assertion names what was awaited and what was seen: seen()
    when given, else the last value check() returned."""
    deadline = time.monotonic() + timeout
    while True:
        last = check()
        if last:
            return last
        if time.monotonic() >= deadline:
            shown = seen() if seen else last
            raise AssertionError(f"timed out after {timeout:.1f} s waiting for {what}; seen: {describe(shown)}")
        time.sleep(interval)


def stays(check, duration=0.8, interval=0.1, what="the state", seen=None):
    """Asserts that check() stays true for the whole duration: for 'nothing
    happens' checks, the program is given that long to react wrongly."""
    deadline = time.monotonic() + duration
    while True:
        value = check()
        if not value:
            shown = seen() if seen else value
            raise AssertionError(f"{what} did not hold; seen: {describe(shown)}")
        if time.monotonic() >= deadline:
            return value
        time.sleep(interval)


def describe(value):
    if isinstance(value, Snapshot):
        return value.describe()
    return value if isinstance(value, str) else repr(value)


# -------------------------------------------------------------------- probe


def unescape(text):
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            nxt = text[i + 1]
            out.append({"\\": "\\", "t": "\t", "r": "\r", "n": "\n"}.get(nxt, "\\" + nxt))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def parse_line(line):
    record = {}
    for field in line.split("\t"):
        name, _, value = field.partition("=")
        record[name] = unescape(value)
    return record


def run_wine(args, timeout=30, check=True, cwd=None):
    """Runs a Windows program to its end. Its output goes through files, not
    pipes: a Wine background process started meanwhile inherits them and would
    hold a pipe open long after the program has ended."""
    env = environment()
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        process = subprocess.run(["wine", *map(str, args)], env=env, cwd=cwd or drive_c(), stdin=subprocess.DEVNULL,
                                 stdout=out, stderr=err, timeout=timeout)
        out.seek(0)
        err.seek(0)
        result = subprocess.CompletedProcess(process.args, process.returncode, out.read(), err.read())
    if check and result.returncode != 0:
        raise RigError(f"wine {' '.join(map(str, args))} exited {result.returncode}: "
                       f"{result.stderr.decode('utf-8', 'replace').strip()}")
    return result


def probe(*args, allow_missing=False, timeout=30):
    """Runs probe.exe; returns its lines as dicts. A 'not found' answer (exit 1)
    gives [] when allow_missing, an error otherwise."""
    if not PROBE_EXE.exists():
        raise RigError(f"probe.exe is not built: {PROBE_EXE}")
    result = run_wine([PROBE_EXE, *args], timeout=timeout, check=False)
    out = result.stdout.decode("utf-8", "replace")
    if result.returncode == 1 and allow_missing:
        return []
    if result.returncode != 0:
        raise RigError(f"probe {' '.join(map(str, args))} exited {result.returncode}: "
                       f"{result.stderr.decode('utf-8', 'replace').strip()} {out.strip()}")
    return [parse_line(line) for line in out.splitlines() if line]


class Snapshot(dict):
    """The page windows as probe pages saw them: page number → fields."""

    def visible(self):
        return sorted(p for p, info in self.items() if info["visible"] == "1")

    def enabled(self):
        """Page number → whether the page window takes input."""
        return {p: info["enabled"] == "1" for p, info in self.items()}

    def describe(self):
        if not self:
            return "no page windows"
        return "; ".join(f"page {p}: visible={i['visible']} foreground={i['foreground']} enabled={i['enabled']} "
                         f"rect=({i['left']},{i['top']},{i['right']},{i['bottom']}) title={i['title']!r}"
                         for p, i in sorted(self.items()))


def pages():
    snapshot = Snapshot()
    for record in probe("pages"):
        snapshot[int(record["page"])] = record
    return snapshot


def controls(page):
    """Controls of a page: control id → fields (ints where numeric)."""
    result = {}
    for record in probe("controls", page):
        for key in ("id", "parent", "left", "top", "width", "height", "visible", "shown", "enabled"):
            record[key] = int(record[key])
        result[record["id"]] = record
    return result


def control_centre(page, ident):
    record = probe("click", page, ident)[0]
    return int(record["x"]), int(record["y"])


def message_box(title, wait_ms=5000):
    lines = probe("msgbox", title, wait_ms, allow_missing=True)
    if not lines:
        return None
    box = lines[0]
    box["buttons"] = {int(line["button"]): line["caption"] for line in lines[1:]}
    return box


def answer(title, button):
    probe("answer", title, button)


def tooltip_texts():
    return [record["text"] for record in probe("tooltip", allow_missing=True)]


def windows():
    return probe("windows")


# ------------------------------------------------------------------ xdotool


def xdotool(*args):
    result = subprocess.run(["xdotool", *map(str, args)], env=environment(), stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=15)
    if result.returncode != 0:
        raise RigError(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.decode(errors='replace')}")


def click(page, ident, button=1):
    x, y = control_centre(page, ident)
    xdotool("mousemove", x, y, "click", button)


def hover(page, ident):
    """Rests the pointer on the control's centre, coming from a point beside
    it. Under Wine a pointer that comes back from outside every Wine window to
    the very pixel it left from brings the program no WM_MOUSEMOVE, so a
    tooltip would never hear of its return."""
    x, y = control_centre(page, ident)
    xdotool("mousemove", x + 8, y + 8)
    xdotool("mousemove", x, y)


def press(page, ident, button):
    """Moves to the control and presses a mouse button without releasing it."""
    x, y = control_centre(page, ident)
    xdotool("mousemove", x, y, "mousedown", button)


def release(button):
    xdotool("mouseup", button)


def screenshot(path, rect=None):
    """Saves the screen (or a rectangle of it) as PNG with ImageMagick."""
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    # Without time stamps, the same picture makes the same file.
    args = ["import", "-silent", "-window", "root", "-define", "png:exclude-chunk=date,time"]
    if rect:
        left, top, right, bottom = rect
        args += ["-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage"]
    subprocess.run([*args, str(path)], env=environment(), check=True, timeout=30,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    return path


def settled_screenshot(path, rect=None, timeout=DEFAULT_TIMEOUT):
    """Captures until two captures in a row are the same picture of more
    than a handful of colours: a window that is still painting (or not yet)
    is not taken."""
    path = Path(path)
    previous = None

    def settled():
        nonlocal previous
        data = screenshot(path, rect).read_bytes()
        same = data == previous and colour_count(path) > 64
        previous = data
        return same

    wait_until(settled, timeout=timeout, interval=0.2, what=f"a settled screenshot {path.name}",
               seen=lambda: f"{colour_count(path)} colours")
    return path


def colour_count(path):
    result = subprocess.run(["identify", "-format", "%k", str(path)], check=True, timeout=30,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return int(result.stdout.decode().strip())


# ----------------------------------------------------------------- registry


def parse_reg(data):
    """Values of the keys in an exported .reg file (UTF-16LE): key → {name: text}."""
    text = data.decode("utf-16")
    keys = {}
    current = None
    for line in text.splitlines():
        if line.startswith("[") and line.endswith("]"):
            current = keys.setdefault(line[1:-1], {})
        elif current is not None and line.startswith('"'):
            name, value = split_reg_assignment(line)
            if name is not None:
                current[name] = value
    return keys


def split_reg_assignment(line):
    def read_string(s, start):
        assert s[start] == '"'
        out = []
        i = start + 1
        while i < len(s):
            c = s[i]
            if c == "\\" and i + 1 < len(s):
                out.append(s[i + 1])
                i += 2
            elif c == '"':
                return "".join(out), i + 1
            else:
                out.append(c)
                i += 1
        raise ValueError(line)

    name, end = read_string(line, 0)
    if line[end:end + 2] != '="':
        return None, None  # not a string value
    value, _ = read_string(line, end + 1)
    return name, value


def reg_values(key):
    """The string values of a registry key, read back from outside with reg
    export (exact Japanese text); None when the key does not exist."""
    out = Path(environment()["HOME"]) / "e2e-export.reg"
    if out.exists():
        out.unlink()
    result = run_wine(["reg", "export", key, windows_path(out), "/y"], check=False)
    if result.returncode != 0 or not out.exists():
        return None
    keys = parse_reg(out.read_bytes())
    for name, values in keys.items():
        if name.lower() == key.replace("HKCU", "HKEY_CURRENT_USER", 1).lower():
            return values
    return {}


def reg_delete(key):
    run_wine(["reg", "delete", key, "/f"], check=False)


def reg_set(key, values):
    """Writes string values (exact text) through a UTF-16 .reg file."""
    full = key.replace("HKCU", "HKEY_CURRENT_USER", 1)
    lines = ["Windows Registry Editor Version 5.00", "", f"[{full}]"]
    for name, value in values.items():
        quoted = value.replace("\\", "\\\\").replace('"', '\\"')
        lines.append(f'"{name}"="{quoted}"')
    lines.append("")
    path = home() / "e2e-import.reg"
    path.write_bytes(b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le"))
    run_wine(["reg", "import", windows_path(path)])


def reg_dword(key, name):
    """A REG_DWORD value, read back with reg query; None when it is absent
    or of another type."""
    result = run_wine(["reg", "query", key, "/v", name], check=False)
    for line in result.stdout.decode("utf-8", "replace").splitlines():
        fields = line.split()
        if len(fields) == 3 and fields[0] == name and fields[1] == "REG_DWORD":
            return int(fields[2], 0)
    return None


def set_reg_dword(key, name, value):
    """Writes a REG_DWORD value; None deletes the value."""
    if value is None:
        run_wine(["reg", "delete", key, "/v", name, "/f"], check=False)
    else:
        run_wine(["reg", "add", key, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f"])


# ------------------------------------------------------- programs and folders


def wine_processes():
    """Linux PIDs of the Wine processes of this prefix, with their command lines."""
    mine = os.environ.get("WINEPREFIX", "").encode()
    found = {}
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit() or int(entry.name) == os.getpid():
            continue
        try:
            env = (entry / "environ").read_bytes().split(b"\0")
            if b"WINEPREFIX=" + mine not in env:
                continue
            cmdline = (entry / "cmdline").read_bytes().replace(b"\0", b" ").decode("utf-8", "replace").strip()
            stat = (entry / "stat").read_text()
        except OSError:
            continue
        if ") Z" in stat:  # zombie: already ended
            continue
        found[int(entry.name)] = cmdline
    return found


def stop_test_processes():
    """Ends every process of the prefix started from a test's program folder."""
    for pid, cmdline in wine_processes().items():
        if "\\e2e\\" in cmdline.lower() or "/e2e/" in cmdline.lower():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
    wait_until(lambda: not any("\\e2e\\" in c.lower() or "/e2e/" in c.lower() for c in wine_processes().values()),
               timeout=5, what="the test programs to end")


class ProgramFolder:
    """A program folder in the prefix's drive C: with Vandrel.exe, copies of the
    demo calculator and a log the calculators write to."""

    def __init__(self, name, calculators=(), not_programs=(), extra=None, menu_exe=MENU_EXE):
        if not menu_exe.exists():
            raise RigError(f"the menu is not built: {menu_exe}")
        if not DEMO_EXE.exists():
            raise RigError(f"democalc.exe is not built: {DEMO_EXE}")
        self.path = drive_c() / "e2e" / name
        if self.path.exists():
            shutil.rmtree(self.path)
        self.path.mkdir(parents=True)
        shutil.copy2(menu_exe, self.path / "Vandrel.exe")
        for number in calculators:
            self.add_calculator(f"Ten{number:04d}.exe")
        for number in not_programs:
            (self.path / f"Ten{number:04d}.exe").write_text("not a program\n")
        for file_name in (extra or ()):
            self.add_calculator(file_name)
        self.log = self.path / "demo-log.txt"

    def add_calculator(self, file_name):
        target = self.path / file_name
        try:
            os.link(DEMO_EXE, target)
        except OSError:
            shutil.copy2(DEMO_EXE, target)

    @property
    def windows(self):
        return windows_path(self.path)

    def starts(self):
        """The demo calculators' log lines so far, as dicts ('number' and the fields)."""
        if not self.log.exists():
            return []
        records = []
        for line in self.log.read_text(encoding="utf-8").splitlines():
            head, *fields = line.split("\t")
            record = {"number": int(head.split()[1])}
            for field in fields:
                name, _, value = field.partition("=")
                record[name] = value
            records.append(record)
        return records


class Menu:
    """One run of Vandrel.exe from a program folder."""

    def __init__(self, folder, cwd=None, env=None):
        self.folder = folder
        self.cwd = Path(cwd) if cwd else folder.path
        self.extra_env = dict(env or {})
        self.process = None
        self.output = folder.path / f"wine-output-{time.monotonic_ns()}.log"

    def start(self):
        env = environment()
        env["VANDREL_DEMO_LOG"] = windows_path(self.folder.log)
        env.update(self.extra_env)
        with open(self.output, "wb") as out:
            self.process = subprocess.Popen(
                ["wine", self.folder.windows + "\\Vandrel.exe"], cwd=self.cwd, env=env,
                stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        return self

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the menu did not end within {timeout} s; pages: {pages().describe()}") from None

    def stop(self):
        if self.running():
            self.process.kill()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass

    def wait_page(self, page, timeout=DEFAULT_TIMEOUT):
        """Waits until the page is visible; returns the snapshot of all pages."""
        def check():
            if not self.running():
                raise AssertionError(f"the menu ended (exit code {self.process.returncode}) "
                                     f"while waiting for page {page}; output: {self.wine_output()}")
            snapshot = pages()
            return snapshot if page in snapshot.visible() else False
        return wait_until(check, timeout=timeout, what=f"page {page} to be visible", seen=pages)

    def wait_visible(self, expected, timeout=DEFAULT_TIMEOUT):
        """Waits until exactly the given pages are visible."""
        expected = sorted(expected)

        def check():
            snapshot = pages()
            return snapshot if snapshot.visible() == expected else False
        return wait_until(check, timeout=timeout, what=f"visible pages {expected}", seen=pages)

    def wine_output(self):
        try:
            return self.output.read_text(errors="replace").strip()[-2000:] or "(none)"
        except OSError:
            return "(none)"


class MenuTestCase(unittest.TestCase):
    """Base class: stops leftover test programs before and after each test and
    keeps the menus a test starts so that they are stopped whatever happens."""

    def setUp(self):
        stop_test_processes()
        self.menus = []
        self.addCleanup(stop_test_processes)
        self.addCleanup(self.stop_menus)

    def stop_menus(self):
        for menu in self.menus:
            menu.stop()

    def start_menu(self, folder, cwd=None, wait_page=True, env=None):
        menu = Menu(folder, cwd, env)
        self.menus.append(menu)
        menu.start()
        if wait_page:
            menu.wait_page(1, timeout=15)
        return menu

    def wait_starts(self, folder, count, timeout=DEFAULT_TIMEOUT):
        """Waits for the demo log to hold at least count starts; returns them."""
        def check():
            starts = folder.starts()
            return starts if len(starts) >= count else False
        return wait_until(check, timeout=timeout, what=f"{count} calculator start(s) in {folder.log}")
