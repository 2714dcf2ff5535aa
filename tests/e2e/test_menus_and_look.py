"""The author's menu bar, the opening effect and the gradient title bar of a
packed book."""
import subprocess

from conftest import ARTIFACTS, PACK, ROOT, RUNTIME

BOOK = """[book]
title = Menu Book
start-page = pages/index.htm

[window]
width = 700
height = 500
menu-bar = yes

[menus]
Book > Contents = WEBHOME()
Book > Rename me = APPLICATIONTITLE "Chosen from the Menu"
Help > About = SHOWFORMABOUT()
"""


def temp_menu_files(env):
    """The hidden menu files (*.dmt) in the temporary folder Windows uses."""
    out = subprocess.run(["wine", "cmd", "/c", "dir", "/a", "/b", "%TEMP%\\*.dmt"], env=env,
                         capture_output=True, text=True, errors="replace").stdout
    return sorted(line.strip() for line in out.splitlines() if line.strip().lower().endswith(".dmt"))


def test_a_book_with_a_menu_opens_with_it_and_its_items_run_their_commands(books, observer, wine_env):
    before = temp_menu_files(wine_env)
    books.start(books.build(BOOK))
    window = observer.find(title="Menu Book")
    assert window is not None
    # Menus of another process cannot be read under Wine; the menu band shows
    # in the window's height: the client area is a menu bar shorter.
    assert window["rect"]["height"] - window["client"]["height"] > 40, "no menu bar"
    during = temp_menu_files(wine_env)
    assert len(during) == len(before) + 1, "no menu definition file was written"

    # Book > Rename me, chosen from the keyboard.
    assert observer.keys("f10", "down", "down", "enter", title="Menu Book")
    assert observer.find(title="Chosen from the Menu") is not None, "the menu item's command did not run"

    observer.close(title="Chosen from the Menu")
    assert observer.gone(title="Chosen from the Menu")
    assert temp_menu_files(wine_env) == before, "the menu definition file outlived the window"


def test_the_opening_effect_and_the_gradient_title_bar(books, observer):
    exe = books.build("""[book]
title = Gradient Book
start-page = pages/index.htm

[window]
width = 700
height = 500

[caption]
gradient = yes
start-colour = clRed

[effect]
on = yes
number = 1
""")
    books.start(exe)
    window = observer.find(title="Gradient Book")
    assert window is not None and window["visible"], "the window is not shown after its opening effect"
    rows = observer.capture(ARTIFACTS / "gradient-book.png", title="Gradient Book")
    assert rows is not None
    # The title bar runs from the book's red on the left to the system's
    # gradient colour on the right (above the text, clear of the buttons).
    r, g, b = rows[8][150]
    assert r > 150 and r > 2 * b, f"the title bar's left part is {(r, g, b)}, not red"
    r, g, b = rows[8][600]
    assert b > r, f"the title bar's right part is {(r, g, b)}, not the end colour"


def _button_block(window, rows, text):
    """The pixel rows of the child button whose text is `text`, cut from a
    capture of the whole window."""
    button = next(c for c in window["children"] if c["class"].lower() == "button" and c["text"].replace("&", "") == text)
    left = button["rect"]["left"] - window["rect"]["left"]
    top = button["rect"]["top"] - window["rect"]["top"]
    return button, [row[left:left + button["rect"]["width"]] for row in rows[top:top + button["rect"]["height"]]]


def test_a_book_opens_wearing_its_skin_shaped_or_square_and_so_do_its_message_boxes(books, observer):
    """Skin 15 has rounded corners cut from the window, skin 0 is square;
    both frame the window and keep its client size. The message box of the
    start-up command wears the skin down to its button; a book without a
    skin keeps the system's box and button."""
    plain_button = None
    for number, shaped in ((None, False), (0, False), (15, True)):
        title = f"Skin Book {number}"
        skin = f"\n[skin]\non = yes\nnumber = {number}\n" if number is not None else ""
        books.start(books.build(f"""[book]
title = {title}
start-page = pages/index.htm
startup-command = MESSAGE "Skinned"=="A message"
{skin}""", name=f"Skin{number}.exe"))
        skinned = number is not None
        box = observer.find_when(lambda w: not skinned or (w["skinned"] and all(
            c["skinned"] for c in w["children"] if c["class"].lower() == "button")), cls="#32770")
        assert box is not None and box["skinned"] == skinned, f"skin {number}: the message box's skin"
        rows = observer.capture(ARTIFACTS / f"message-box-{number}.png", cls="#32770")
        button, block = _button_block(box, rows, "OK")
        assert button["skinned"] == skinned, f"skin {number}: the message box's button"
        if not skinned:
            plain_button = block
        else:
            assert block != plain_button, f"skin {number}: the message box shows the system's button"
        assert observer.message_box(timeout_ms=5000, press=True) is not None
        # The window's shape follows a moment after the skin.
        window = observer.find_when(lambda w: w["skinned"] == skinned and w["shaped"] == shaped, title=title)
        assert window is not None and window["visible"], f"skin {number}: the window did not open"
        assert window["skinned"] == skinned, f"skin {number}: the window's skin"
        assert window["shaped"] == shaped, f"skin {number}: shaped should be {shaped}"
        if not skinned:
            plain_client = window["client"]
        assert window["client"] == plain_client, f"skin {number}: the client size changed"
        observer.capture(ARTIFACTS / f"skin-book-{number}.png", title=title)
        observer.close(title=title)
        assert observer.gone(title=title)


def test_the_tour_wears_its_skin_down_to_its_bars_menu_band_and_about_box(tmp_path, books, observer):
    """The sample book wears skin 5: shaped, framed by the skin, its menu
    band inside the frame, its tool bar, status bar and progress bar dressed.
    Alt+H opens Help from the band and A chooses About, whose box and button
    wear the skin too."""
    exe = tmp_path / "tour" / "Tour.exe"
    result = subprocess.run([str(PACK), "build", str(ROOT / "examples" / "tour" / "tour.ini"), "--runtime",
                             str(RUNTIME), "--out", str(exe)], capture_output=True, text=True)
    assert result.returncode == 0, result.stderr
    assert "warning" not in result.stderr.lower(), result.stderr
    books.start(exe)

    def bars_of(window):
        return {c["class"].lower(): c["skinned"] for c in window["children"]
                if c["class"].lower() in ("toolbarwindow32", "msctls_statusbar32", "msctls_progress32")}
    window = observer.find_when(lambda w: w["skinned"] and w["shaped"] and all(bars_of(w).values()),
                                title="A Short Tour")
    assert window is not None and window["visible"]
    assert window["skinned"] and window["shaped"], "the tour does not wear its skin"
    bars = bars_of(window)
    assert bars == {"toolbarwindow32": True, "msctls_statusbar32": True, "msctls_progress32": True}, bars
    # The band lies inside the frame, between the title bar and the client
    # area: the frame is taller than it is wide by a title bar and a band.
    frame_height = window["rect"]["height"] - window["client"]["height"]
    frame_width = window["rect"]["width"] - window["client"]["width"]
    assert frame_height - frame_width > 30, "no menu band in the skinned frame"
    observer.capture(ARTIFACTS / "tour-skinned.png", title="A Short Tour")

    assert observer.keys("alt+h", "a", title="A Short Tour")
    about = observer.find_when(
        lambda w: w["skinned"] and all(c["skinned"] for c in w["children"] if c["class"].lower() == "button"),
        title="About A Short Tour")
    assert about is not None, "Help > About did not open the about box"
    assert about["skinned"], "the about box is not framed by the skin"
    buttons = [c for c in about["children"] if c["class"].lower() == "button"]
    assert buttons and all(b["skinned"] for b in buttons), "the about box's button is not skinned"
    observer.capture(ARTIFACTS / "tour-about-skinned.png", title="About A Short Tour")
    observer.close(title="About A Short Tour")
    observer.close(title="A Short Tour")
    assert observer.gone(title="A Short Tour")


def test_a_skinned_book_chooses_from_its_menu_band_by_keyboard_and_by_mouse(books, observer):
    """The same journey as an unskinned book's, through the skin's band and
    drop-down: F10, Down twice, Enter runs Book > Rename me; a click on Help
    and one on About open the about box."""
    books.start(books.build(BOOK + "\n[skin]\non = yes\nnumber = 0\n", name="SkinnedMenu.exe"))
    window = observer.find_when(lambda w: w["skinned"], title="Menu Book")
    assert window is not None and window["skinned"]
    assert observer.keys("f10", "down", "down", "enter", title="Menu Book")
    assert observer.find(title="Chosen from the Menu") is not None, "the band's item did not run its command"

    # By mouse: Help on the band (above the client area), then About in its
    # drop-down, whose items are about twenty pixels high.
    # A click Wine drops on a busy machine opens nothing: it is given again.
    for _ in range(3):
        assert observer.click(60, -10, title="Chosen from the Menu")
        if observer.find(cls="#32768", timeout_ms=8000) is not None:
            break
    drop_down = observer.find_when(lambda w: w["skinned"], cls="#32768", timeout_s=5)
    assert drop_down is not None and drop_down["skinned"], "a click on the band opened no skinned drop-down"
    assert observer.click(20, 10, cls="#32768")
    about = observer.find(cls="#32770")
    assert about is not None, "Help > About chosen by mouse did not run"
    observer.close(cls="#32770")
    observer.close(title="Chosen from the Menu")
    assert observer.gone(title="Chosen from the Menu")
