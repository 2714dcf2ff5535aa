"""Window captures: the observer writes 32-bit BMP files; people look at PNG."""
import struct
import zlib


def read_bmp(path):
    """(width, height, rows of (r, g, b) tuples, top row first)."""
    data = path.read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 32:
        raise ValueError(f"{path}: {bits}-bit BMP, 32 expected")
    rows = []
    for y in range(abs(height)):
        start = offset + y * width * 4
        row = data[start:start + width * 4]
        rows.append([(row[i + 2], row[i + 1], row[i]) for i in range(0, len(row), 4)])
    if height > 0:  # bottom-up
        rows.reverse()
    return width, abs(height), rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    path.write_bytes(png)


def bmp_to_png(bmp, png):
    width, height, rows = read_bmp(bmp)
    write_png(png, width, height, rows)
    return rows
