#!/usr/bin/env python3
"""Writes to standard output a Quake II map (BSP version 38) small enough to make by
hand: a floor at height 0 with a deathmatch start above it. A dedicated server loads
it, and so loads its game library and spawns the level, which an empty .bsp never gets
to. No pak file is needed for it.

    tests/windows/tiny_map.py > maps/NAME.bsp
"""
import struct
import sys

ENTITIES = (b'{\n"classname" "worldspawn"\n}\n'
            b'{\n"classname" "info_player_deathmatch"\n"origin" "0 0 64"\n}\n\0')
CONTENTS_SOLID = 1
PLANE_Z = 2

# Q2PRO refuses a map without a model, a node or leaf 0 solid, and (on Windows) one
# without texinfo: its first allocation would then be of 0 bytes, which VirtualAlloc fails.
# Yamagi Quake II refuses one without a leaf brush ("Map with no planes"), and Q2PRO a
# leaf brush without its brush.
LUMPS = {
    0: ENTITIES,
    1: struct.pack('<4fi', 0, 0, 1, 0, PLANE_Z),
    # One node on that plane: above it leaf 1 (open), below it leaf 0 (solid).
    4: struct.pack('<3i6h2H', 0, -2, -1, -512, -512, -512, 512, 512, 512, 0, 0),
    5: struct.pack('<8f2i32si', 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, b'e1u1/floor1_1', -1),
    8: struct.pack('<i2h6h4H', CONTENTS_SOLID, -1, 0, -512, -512, -512, 512, 512, 0, 0, 0, 0, 0)
    + struct.pack('<i2h6h4H', 0, -1, 0, -512, -512, 0, 512, 512, 512, 0, 0, 0, 0),
    10: struct.pack('<H', 0),  # one leaf brush, brush 0: a solid brush of no sides
    13: struct.pack('<9f3i', -512, -512, -512, 512, 512, 512, 0, 0, 0, 0, 0, 0),
    14: struct.pack('<3i', 0, 0, CONTENTS_SOLID),
    17: struct.pack('<2i', 0, 0),  # one area, without portals
}
LUMP_COUNT = 19


def bsp():
    header_size = 8 + LUMP_COUNT * 8
    header = struct.pack('<4si', b'IBSP', 38)
    body = b''
    for number in range(LUMP_COUNT):
        data = LUMPS.get(number, b'')
        header += struct.pack('<2i', header_size + len(body), len(data))
        body += data + b'\0' * (-len(data) % 4)
    return header + body


if __name__ == '__main__':
    sys.stdout.buffer.write(bsp())
