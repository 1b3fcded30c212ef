#!/usr/bin/env python3
"""Pictures between PNG and BMP, with the standard library only:

    Bitmaps.py to-bmp IN.png OUT.bmp   an 8-bit RGB or RGBA PNG (as rsvg-convert
                                       writes them) as the 24-bit BMP a Win32
                                       static shows, its transparent parts laid
                                       over the dialog's face colour
    Bitmaps.py to-png IN.bmp OUT.png   a 24-bit BMP (a screenshot) as a PNG
"""
import struct
import sys
import zlib

FACE = (240, 240, 240)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    data = open(path, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit(f'{path}: not a PNG')
    pos, idat, header = 8, b'', None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        sys.exit(f'{path}: only 8-bit RGB or RGBA without interlacing')
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            upleft = previous[i - channels] if i >= channels else 0
            line[i] = (line[i] + (0, left, up, (left + up) // 2, paeth(left, up, upleft))[kind]) & 0xFF
        rows.append(line)
        previous = line
    return width, height, channels, rows


def write_bmp(path, width, height, channels, rows):
    pad = (4 - width * 3 % 4) % 4
    pixels = bytearray()
    for line in reversed(rows):
        for x in range(width):
            r, g, b = line[x * channels:x * channels + 3]
            a = line[x * channels + 3] if channels == 4 else 255
            for value, face in ((b, FACE[2]), (g, FACE[1]), (r, FACE[0])):
                pixels.append((value * a + face * (255 - a) + 127) // 255)
        pixels += b'\0' * pad
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    open(path, 'wb').write(header + info + pixels)


def bmp_to_png(source, target):
    data = open(source, 'rb').read()
    offset, = struct.unpack('<I', data[10:14])
    width, height, _, bits = struct.unpack('<iiHH', data[18:30])
    if data[:2] != b'BM' or bits != 24:
        sys.exit(f'{source}: only 24-bit BMP')
    stride = (width * 3 + 3) // 4 * 4
    raw = bytearray()
    for y in range(abs(height)):
        row = y if height < 0 else abs(height) - 1 - y
        line = data[offset + row * stride:offset + row * stride + width * 3]
        raw.append(0)
        for x in range(width):
            raw += bytes((line[x * 3 + 2], line[x * 3 + 1], line[x * 3]))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, abs(height), 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b'')
    open(target, 'wb').write(png)


if __name__ == '__main__':
    if len(sys.argv) != 4 or sys.argv[1] not in ('to-bmp', 'to-png'):
        sys.exit(__doc__)
    if sys.argv[1] == 'to-bmp':
        write_bmp(sys.argv[3], *read_png(sys.argv[2]))
    else:
        bmp_to_png(sys.argv[2], sys.argv[3])
