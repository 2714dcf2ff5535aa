"""A book signed after packing keeps its payload and its pages: the signature
is appended after the payload trailer, and the runtime looks for the trailer
before it."""
import subprocess

from conftest import PACK


def test_a_signed_book_verifies_and_opens_with_its_title(books, observer, tmp_path):
    exe = books.build("""[book]
title = Signed Field Guide
start-page = pages/index.htm
""", name="Unsigned.exe")
    # A throw-away code-signing certificate, made for this test alone.
    key, cert = tmp_path / "key.pem", tmp_path / "cert.pem"
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", str(key), "-out",
                    str(cert), "-days", "2", "-subj", "/CN=Vellumcast test signer",
                    "-addext", "extendedKeyUsage=codeSigning"], check=True, capture_output=True)
    signed = exe.with_name("Signed.exe")
    subprocess.run(["osslsigncode", "sign", "-certs", str(cert), "-key", str(key), "-in", str(exe), "-out",
                    str(signed)], check=True, capture_output=True)
    verify = subprocess.run(["osslsigncode", "verify", "-CAfile", str(cert), "-in", str(signed)],
                            capture_output=True, text=True, errors="replace")
    assert verify.returncode == 0 and "Signature verification: ok" in verify.stdout, verify.stdout + verify.stderr

    inspect = subprocess.run([str(PACK), "inspect", str(signed)], capture_output=True, text=True, errors="replace")
    assert inspect.returncode == 0 and "title = Signed Field Guide" in inspect.stdout, inspect.stderr
    # The pages inside are found past the signature, byte for byte.
    assert "  pages/index.htm\n" in inspect.stdout, inspect.stdout
    copy = tmp_path / "copy"
    extract = subprocess.run([str(PACK), "extract", str(signed), "-o", str(copy / "book.ini"), "--pages", str(copy)],
                             capture_output=True, text=True, errors="replace")
    assert extract.returncode == 0, extract.stderr
    assert (copy / "pages" / "index.htm").read_bytes() == (exe.parent.parent / "source" / "pages" / "index.htm").read_bytes()

    assert not (signed.parent / "pages").exists(), "the pages should travel inside the book"
    books.start(signed)
    window = observer.find(title="Signed Field Guide")
    assert window is not None and window["visible"], "the signed book opened without its payload"
    assert observer.message_box(timeout_ms=3000) is None, "the signed book did not find its pages"
    observer.close(title="Signed Field Guide")
    assert observer.gone(title="Signed Field Guide")
