"""Small GIF89a and PNG writers (standard library only) for the picture generators."""
import struct
import zlib


def _quantise(pixels):
    """pixels: list of (r, g, b, a). Returns (palette, indices, transparent index or None).

    Exact colours when there are few enough; otherwise the channels are rounded
    ever more coarsely until the colours fit in the palette.
    """
    has_clear = any(p[3] < 128 for p in pixels)
    room = 255 if has_clear else 256
    shift = 0
    while True:
        def key(p, s=shift):
            return (p[0] >> s << s, p[1] >> s << s, p[2] >> s << s)
        colours = sorted({key(p) for p in pixels if p[3] >= 128})
        if len(colours) <= room:
            break
        shift += 1
    palette = list(colours)
    index = {c: i for i, c in enumerate(palette)}
    clear = None
    if has_clear:
        clear = len(palette)
        palette.append((0, 0, 0))
    indices = [clear if p[3] < 128 else index[key(p)] for p in pixels]
    return palette, indices, clear


def _lzw(indices, min_size):
    clear_code = 1 << min_size
    eoi = clear_code + 1
    out = bytearray()
    acc = 0
    nbits = 0

    def emit(code, size):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    size = min_size + 1
    table = {}
    next_code = eoi + 1
    emit(clear_code, size)
    prefix = indices[0]
    for k in indices[1:]:
        key = (prefix, k)
        code = table.get(key)
        if code is not None:
            prefix = code
            continue
        emit(prefix, size)
        table[key] = next_code
        if next_code >= (1 << size) and size < 12:
            size += 1
        next_code += 1
        if next_code >= 4095:
            emit(clear_code, size)
            table = {}
            size = min_size + 1
            next_code = eoi + 1
        prefix = k
    emit(prefix, size)
    emit(eoi, size)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(path, width, height, pixels):
    palette, indices, clear = _quantise(pixels)
    bits = 1
    while (1 << bits) < len(palette):
        bits += 1
    table_size = 1 << bits
    palette = palette + [(0, 0, 0)] * (table_size - len(palette))
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0x80 | (bits - 1), 0, 0)
    for r, g, b in palette:
        data += bytes((r, g, b))
    if clear is not None:
        data += bytes((0x21, 0xF9, 4, 1, 0, 0, clear, 0))
    data += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0)
    min_size = max(2, bits)
    data.append(min_size)
    lzw = _lzw(indices, min_size)
    for i in range(0, len(lzw), 255):
        chunk = lzw[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00\x3b"
    with open(path, "wb") as f:
        f.write(data)


def write_png(path, width, height, pixels):
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for p in pixels[y * width:(y + 1) * width]:
            raw += bytes(p)

    def chunk(kind, body):
        c = struct.pack(">I", len(body)) + kind + body
        return c + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)
