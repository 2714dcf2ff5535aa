"""One-file books: the pages travel inside the program, the runtime serves them
from there, and the disk sees nothing of it."""
import os
import pathlib
import shutil
import struct
import subprocess

from conftest import PACK, wait_for_exit

BOOK = """[book]
title = Inside Book
start-page = pages/index.htm

[window]
menu-bar = yes

[menus]
Book > Contents = WEBHOME()
"""

PAGES = {"index.htm": "<html><body><p>Start</p><a href=\"ch1.htm\">One</a></body></html>",
         "ch1.htm": "<html><body><p>Chapter one</p></body></html>"}


def files_under(folder):
    """Every file below the folder, with its size and time of change."""
    found = {}
    for directory, _, names in os.walk(folder):
        for name in names:
            path = pathlib.Path(directory) / name
            try:
                status = path.stat()
            except FileNotFoundError:
                continue
            found[path] = (status.st_size, status.st_mtime_ns)
    return found


def written(before, after):
    return sorted(str(path) for path, stamp in after.items() if before.get(path) != stamp)


def entry_offset(exe, name):
    """Where an entry's stored bytes lie in the book, read from the archive's
    directory: the locator (28 bytes) ends where the configuration begins."""
    data = exe.read_bytes()
    configuration = struct.unpack("<i", data[-8:-4])[0]
    archive_size, directory_size = struct.unpack("<QI", data[configuration - 16:configuration - 4])
    start = configuration - 28 - archive_size
    directory = data[start + archive_size - directory_size:start + archive_size]
    count, at = struct.unpack("<I", directory[:4])[0], 20
    for _ in range(count):
        _, _, length, offset = struct.unpack("<BBHQ", directory[at:at + 12])
        if directory[at + 24:at + 24 + length].decode() == name:
            return start + offset
        at += 24 + length
    raise AssertionError(f"{name} is not in the book")


def test_a_one_file_book_opens_with_no_pages_folder_and_writes_only_its_menu_file(books, observer, wine_env, tmp_path):
    exe = books.build(BOOK, pages=PAGES)
    # Nothing beside the program, and not even the author's folder left.
    shutil.rmtree(tmp_path / "source")
    assert sorted(p.name for p in exe.parent.iterdir()) == ["Book.exe"]

    drive = pathlib.Path(wine_env["WINEPREFIX"]) / "drive_c"
    before = {**files_under(drive), **files_under(tmp_path)}
    books.start(exe)
    window = observer.find(title="Inside Book")
    assert window is not None and window["visible"]
    assert observer.message_box(timeout_ms=3000, press=True) is None, "the start page was not found inside the book"

    new = written(before, {**files_under(drive), **files_under(tmp_path)})
    assert len(new) == 1 and new[0].lower().endswith(".dmt"), new
    observer.close(title="Inside Book")
    assert observer.gone(title="Inside Book")


def test_a_damaged_start_page_is_named_once_and_the_book_keeps_running(books, observer):
    exe = books.build(BOOK, pages=PAGES)
    data = bytearray(exe.read_bytes())
    data[entry_offset(exe, "pages/index.htm") + 4] ^= 0x5A
    exe.write_bytes(bytes(data))

    books.start(exe)
    # The browser's first request of the book's address reaches the protocol.
    box = observer.message_box()
    assert box == {"caption": "Vellumcast", "text": "This book is damaged: pages/index.htm cannot be read."}
    window = observer.find(title="Inside Book")
    assert window is not None and window["visible"], "the book ended with its damaged page"
    observer.close(title="Inside Book")
    assert observer.gone(title="Inside Book")


def test_a_start_page_the_book_does_not_hold_is_missing(books, observer):
    exe = books.build(BOOK + "\n[messages]\npage-missing = The pages of this book are missing.\n", pages=PAGES)
    data = exe.read_bytes()
    offset, size = struct.unpack("<ii", data[-8:])
    lines = data[offset:offset + size].split(b"\r\n")
    lines[10] = lines[10].replace(b"index.htm", b"absent.htm")
    payload = b"\r\n".join(lines)
    exe.write_bytes(data[:offset] + payload + data[-24:-8] + struct.pack("<ii", offset, len(payload)))

    process = books.start(exe)
    assert observer.message_box() == {"caption": "Vellumcast", "text": "The pages of this book are missing."}
    assert wait_for_exit(process) is not None
