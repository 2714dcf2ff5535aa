"""The search pane in a packed book, driven by real keys: the index is read
the first time the pane opens, and a damaged one is told of once."""
import struct

SEARCH_BOOK = """[book]
title = Searching Book
start-page = pages/index.htm
"""

PAGES = {
    "index.htm": "<html><head><title>Start</title></head><body><p>Welcome to the orchard.</p></body></html>",
    "apple.htm": "<html><head><title>Apples</title></head><body><p>An apple a day.</p></body></html>",
}


def index_entries(exe):
    """Offsets and stored sizes of the entries that are no pages (empty names):
    the index and the settings, read from the archive's directory."""
    data = exe.read_bytes()
    configuration = struct.unpack("<i", data[-8:-4])[0]
    archive_size, directory_size = struct.unpack("<QI", data[configuration - 16:configuration - 4])
    start = configuration - 28 - archive_size
    directory, at, found = data[start + archive_size - directory_size:start + archive_size], 20, []
    while at + 24 <= len(directory):
        name_length = struct.unpack("<H", directory[at + 2:at + 4])[0]
        if name_length == 0:
            found.append((start + struct.unpack("<Q", directory[at + 4:at + 12])[0],
                          struct.unpack("<I", directory[at + 12:at + 16])[0]))
        at += 24 + name_length
    return found


def test_a_damaged_index_is_told_once_and_the_book_keeps_working(books, observer):
    exe = books.build(SEARCH_BOOK, PAGES)
    data = bytearray(exe.read_bytes())
    entries = index_entries(exe)
    assert entries, "the book carries no index"
    for offset, size in entries:
        data[offset + size // 2] ^= 0x55
    exe.write_bytes(bytes(data))
    books.start(exe)
    assert observer.find(title="Searching Book") is not None
    assert observer.message_box(timeout_ms=2000) is None, "nothing is read before the pane opens"
    observer.keys("ctrl+shift+f", "a", title="Searching Book")
    box = observer.message_box()
    assert box == {"caption": "Vellumcast", "text": "The search index of this book is damaged."}, box
    observer.keys("b", title="Searching Book")
    assert observer.message_box(timeout_ms=2000) is None, "told twice"
    window = observer.find(title="Searching Book")
    statuses = [c["text"] for c in window["children"] if c["class"].lower() == "static"]
    assert "The search index of this book is damaged." in statuses, statuses
    observer.close(title="Searching Book")
    assert observer.gone(title="Searching Book")
