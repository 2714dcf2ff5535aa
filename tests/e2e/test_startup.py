"""The first start of a packed e-book: caption, size, the error dialog."""
import shutil

from conftest import ARTIFACTS, RUNTIME, replace_payload_line, wait_for_exit

BOOK = """[book]
title = Field Guide to Ferns
start-page = pages/index.htm

[window]
width = 700
height = 500
"""


def children_of(window, cls):
    return [child for child in window["children"] if child["class"] == cls]


def test_a_packed_book_opens_with_its_title_at_its_size_with_bars_and_browser(books, observer):
    books.start(books.build(BOOK))
    window = observer.find(title="Field Guide to Ferns")
    assert window is not None, "the book's window did not appear"
    assert window["visible"] and not window["maximized"]
    assert (window["rect"]["width"], window["rect"]["height"]) == (700, 500)
    # Centred on the 1280 x 800 virtual screen.
    assert (window["rect"]["left"], window["rect"]["top"]) == (290, 150)
    toolbar, = children_of(window, "ToolbarWindow32")
    status, = children_of(window, "msctls_statusbar32")
    assert toolbar["visible"] and status["visible"]
    assert toolbar["rect"]["height"] == 36
    browser = children_of(window, "Shell Embedding")
    assert browser and browser[0]["visible"], "the browser control is not in the window"
    # The browser fills the room between tool bar and status bar.
    assert browser[0]["rect"]["top"] == toolbar["rect"]["top"] + 36
    assert browser[0]["rect"]["top"] + browser[0]["rect"]["height"] == status["rect"]["top"]
    rows = observer.capture(ARTIFACTS / "field-guide.png", title="Field Guide to Ferns")
    assert rows is not None and len(rows) == 500 and len(rows[0]) == 700
    observer.close(title="Field Guide to Ferns")
    assert observer.gone(title="Field Guide to Ferns")


def test_a_bad_width_shows_the_standard_error_dialog_and_the_window_still_opens(books, observer):
    exe = books.build(BOOK)
    replace_payload_line(exe, 5, "abc")
    books.start(exe)
    box = observer.message_box()
    assert box is not None, "no error dialog appeared"
    assert box["text"] == "'abc' is not a valid integer value"
    # The start-up stopped before the size: the built-in 650 x 470 remains,
    # but the caption set before it is there.
    window = observer.find(title="Field Guide to Ferns")
    assert window is not None
    assert (window["rect"]["width"], window["rect"]["height"]) == (650, 470)


def test_a_missing_start_page_shows_the_book_message_and_the_program_ends(books, observer):
    classic = BOOK.replace("[window]", "pages = beside\n\n[window]")
    exe = books.build(classic + "\n[messages]\npage-missing = The pages of this book are missing.\n")
    (exe.parent / "pages" / "index.htm").unlink()
    process = books.start(exe)
    box = observer.message_box()
    assert box == {"caption": "Vellumcast", "text": "The pages of this book are missing."}
    assert wait_for_exit(process) is not None, "the program kept running after the message"


def test_a_runtime_without_payload_keeps_its_built_in_caption(books, observer, tmp_path):
    exe = tmp_path / "Bare.exe"
    shutil.copy(RUNTIME, exe)
    books.start(exe)
    window = observer.find(title="T\u00edtulo")
    assert window is not None
    assert (window["rect"]["width"], window["rect"]["height"]) == (650, 470)
    assert (window["rect"]["left"], window["rect"]["top"]) == (293, 205)


def test_a_required_connection_that_is_missing_shows_the_message_and_ends(books, observer):
    # Wine here has no network, so the connection test always fails.
    exe = books.build(BOOK + "\n[connection]\nrequired = yes\n"
                      "\n[messages]\nconnection-missing = Please go online first.\n")
    process = books.start(exe)
    box = observer.message_box()
    assert box == {"caption": "Vellumcast", "text": "Please go online first."}
    assert wait_for_exit(process) is not None


def test_the_start_up_command_sets_the_title_and_hides_the_status_bar(books, observer):
    exe = books.build(BOOK.replace("[window]", "startup-command = APPLICATIONTITLE \"Opened by a Command\""
                                   "-@-HIDESTATUSBAR()\n\n[window]"))
    books.start(exe)
    window = observer.find(title="Opened by a Command")
    assert window is not None, "the start-up command did not set the title"
    status, = children_of(window, "msctls_statusbar32")
    assert not status["visible"]


def test_an_unknown_start_up_keyword_opens_the_book_normally(books, observer):
    exe = books.build(BOOK.replace("[window]", "startup-command = NOSUCHTHING() \"x\"\n\n[window]"))
    books.start(exe)
    window = observer.find(title="Field Guide to Ferns")
    assert window is not None
    assert observer.message_box(timeout_ms=1500, press=False) is None, "an unknown command showed a message"
