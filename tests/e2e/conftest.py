"""End-to-end harness: packs real e-books with vellumcast-pack, starts them
under Wine in one virtual desktop, and watches them with the observer."""
import json
import os
import pathlib
import struct
import subprocess
import tempfile
import time

import pytest

from pictures import bmp_to_png

ROOT = pathlib.Path(__file__).resolve().parents[2]
BUILD = pathlib.Path(os.environ.get("VC_BUILD", ROOT / "build"))
BUILD_WIN = pathlib.Path(os.environ.get("VC_BUILD_WIN", ROOT / "build-win"))
PACK = BUILD / "tools" / "pack" / "vellumcast-pack"
RUNTIME = BUILD_WIN / "vellumcast.exe"
OBSERVER = BUILD_WIN / "vc_observer.exe"
ARTIFACTS = BUILD_WIN / "e2e-artifacts"


@pytest.fixture(scope="session")
def wine_env():
    """The environment of the Wine helpers: display, prefix, quiet Wine."""
    script = f'source "{ROOT}/scripts/wine-env" && vc_start_display && vc_ensure_prefix && env -0'
    dump = subprocess.run(["bash", "-c", script], check=True, capture_output=True,
                          env={**os.environ, "VC_BUILD_WIN": str(BUILD_WIN)}).stdout
    env = dict(item.split("=", 1) for item in dump.decode().split("\0") if "=" in item)
    ARTIFACTS.mkdir(parents=True, exist_ok=True)
    # Wine's server and desktop outlive the first program; started here with
    # no pipes of ours, they cannot hold a later command's output open.
    subprocess.run(["wineserver", "-p"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wine", "cmd", "/c", "exit"], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=120)
    yield env
    subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Observer:
    def __init__(self, env):
        self.env = env

    def run(self, *args, timeout=60):
        # Output goes through a file: the process's end, not a pipe's, ends the wait.
        with tempfile.TemporaryFile() as out:
            result = subprocess.run(["wine", str(OBSERVER), *args], env=self.env, stdout=out,
                                    stderr=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            result.stdout = out.read()
        return result

    def find(self, title=None, cls=None, timeout_ms=20000):
        """The window as JSON, or None when it did not appear in time."""
        result = self.run("find", *self._which(title, cls), "--timeout", str(timeout_ms))
        if result.returncode != 0:
            return None
        return json.loads(result.stdout.decode("latin-1"))

    def find_when(self, condition, title=None, cls=None, timeout_s=10):
        """The window once `condition` holds of it (the skin, say, is put on
        just after the window shows), or as it last was when time ran out."""
        deadline = time.monotonic() + timeout_s
        while True:
            window = self.find(title=title, cls=cls)
            if (window is not None and condition(window)) or time.monotonic() > deadline:
                return window
            time.sleep(0.2)

    def message_box(self, timeout_ms=20000, press=True):
        args = ["msgbox", "--timeout", str(timeout_ms)] + (["--press"] if press else [])
        result = self.run(*args)
        if result.returncode != 0:
            return None
        return json.loads(result.stdout.decode("latin-1"))

    def gone(self, title=None, cls=None, timeout_ms=20000):
        return self.run("gone", *self._which(title, cls), "--timeout", str(timeout_ms)).returncode == 0

    def keys(self, *strokes, title=None, cls=None):
        """Key strokes to the window, one after another: "f10", "down", "ctrl+a"."""
        return self.run("keys", *self._which(title, cls), *strokes).returncode == 0

    def click(self, x, y, title=None, cls=None):
        """A left click at client coordinates (negative ones reach the frame)."""
        return self.run("click", *self._which(title, cls), str(x), str(y)).returncode == 0

    def close(self, title=None, cls=None):
        self.run("close", *self._which(title, cls))

    def capture(self, png, title=None, cls=None):
        """Saves the window as PNG for people to look at; returns its pixel rows."""
        bmp = png.with_suffix(".bmp")
        windows_path = subprocess.run(["winepath", "-w", str(bmp)], env=self.env, capture_output=True,
                                      text=True).stdout.strip()
        if self.run("capture", *self._which(title, cls), windows_path).returncode != 0:
            return None
        rows = bmp_to_png(bmp, png)
        bmp.unlink()
        return rows

    @staticmethod
    def _which(title, cls):
        return (["--title", title] if title else []) + (["--class", cls] if cls else [])


@pytest.fixture
def observer(wine_env):
    return Observer(wine_env)


class Books:
    """Builds e-books in a temporary folder and starts them under Wine."""

    def __init__(self, folder, env):
        self.folder = folder
        self.env = env
        self.processes = []

    def build(self, ini_text, pages=None, name="Book.exe"):
        source = self.folder / "source"
        (source / "pages").mkdir(parents=True, exist_ok=True)
        for page, html in (pages or {"index.htm": "<html><body><p>Start</p></body></html>"}).items():
            (source / "pages" / page).write_text(html, encoding="latin-1")
        (source / "book.ini").write_text(ini_text, encoding="latin-1")
        out = self.folder / "out" / name
        result = subprocess.run([str(PACK), "build", str(source / "book.ini"), "--runtime", str(RUNTIME),
                                 "--out", str(out)], capture_output=True, text=True)
        assert result.returncode == 0, result.stderr
        return out

    def start(self, exe):
        process = subprocess.Popen(["wine", str(exe)], env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def stop(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait(timeout=20)


@pytest.fixture
def books(tmp_path, wine_env):
    made = Books(tmp_path, wine_env)
    yield made
    made.stop()


def replace_payload_line(exe, index, value):
    """Rewrites one configuration line of an e-book the way a hand-edited or
    damaged e-book would carry it: the pack tool would refuse the value."""
    data = exe.read_bytes()
    offset, size = struct.unpack("<ii", data[-8:])
    lines = data[offset:offset + size].split(b"\r\n")
    lines[index] = value.encode("latin-1")
    payload = b"\r\n".join(lines)
    trailer = data[-24:-8] + struct.pack("<ii", offset, len(payload))
    exe.write_bytes(data[:offset] + payload + trailer)


def wait_for_exit(process, seconds=20):
    try:
        return process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        return None
