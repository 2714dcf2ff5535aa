"""One-file books: the pages travel inside the program, the runtime serves them
from there, and the disk sees nothing of it."""
import os
import pathlib
import shutil
import struct

from conftest import replace_payload_line, wait_for_exit

BOOK = """[book]
title = Inside Book
start-page = pages/index.htm

[window]
menu-bar = yes

[menus]
Book > Contents = WEBHOME()

[messages]
page-missing = The pages of this book are missing.
"""


def files_under(*folders):
    """Every file below the folders, with its size and time of change."""
    return {pathlib.Path(d) / n: (os.stat(pathlib.Path(d) / n).st_size, os.stat(pathlib.Path(d) / n).st_mtime_ns)
            for folder in folders for d, _, names in os.walk(folder) for n in names}


def entry_offset(exe, name):
    """Where an entry's stored bytes lie, read from the archive's directory:
    its 28-byte locator ends where the configuration begins."""
    data = exe.read_bytes()
    configuration = struct.unpack("<i", data[-8:-4])[0]
    archive_size, directory_size = struct.unpack("<QI", data[configuration - 16:configuration - 4])
    start = configuration - 28 - archive_size
    directory, at = data[start + archive_size - directory_size:start + archive_size], 20
    while directory[at + 24:at + 24 + struct.unpack("<H", directory[at + 2:at + 4])[0]] != name.encode():
        at += 24 + struct.unpack("<H", directory[at + 2:at + 4])[0]
    return start + struct.unpack("<Q", directory[at + 4:at + 12])[0]


def test_a_one_file_book_opens_with_no_pages_folder_and_writes_only_its_menu_file(books, observer, wine_env, tmp_path):
    exe = books.build(BOOK)
    shutil.rmtree(tmp_path / "source")
    assert [p.name for p in exe.parent.iterdir()] == ["Book.exe"]
    drive = pathlib.Path(wine_env["WINEPREFIX"]) / "drive_c"
    before = files_under(drive, tmp_path)
    books.start(exe)
    window = observer.find(title="Inside Book")
    assert window is not None and window["visible"]
    assert observer.message_box(timeout_ms=3000) is None, "the start page was not found inside the book"
    after = files_under(drive, tmp_path)
    written = [str(path) for path, stamp in after.items() if before.get(path) != stamp]
    assert len(written) == 1 and written[0].lower().endswith(".dmt"), written
    observer.close(title="Inside Book")
    assert observer.gone(title="Inside Book")


def test_a_damaged_start_page_is_named_and_the_book_keeps_running(books, observer):
    exe = books.build(BOOK)
    data = bytearray(exe.read_bytes())
    data[entry_offset(exe, "pages/index.htm") + 4] ^= 0x5A
    exe.write_bytes(bytes(data))
    books.start(exe)
    # The browser's first request, of the book's own address, reached the book.
    assert observer.message_box() == {"caption": "Vellumcast",
                                      "text": "This book is damaged: pages/index.htm cannot be read."}
    window = observer.find(title="Inside Book")
    assert window is not None and window["visible"]
    observer.close(title="Inside Book")
    assert observer.gone(title="Inside Book")


def test_a_start_page_the_book_does_not_hold_is_missing(books, observer):
    exe = books.build(BOOK)
    replace_payload_line(exe, 10, "C:\\Books\\tour\\pages\\absent.htm")
    process = books.start(exe)
    assert observer.message_box() == {"caption": "Vellumcast", "text": "The pages of this book are missing."}
    assert wait_for_exit(process) is not None
