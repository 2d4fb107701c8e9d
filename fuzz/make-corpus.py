#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the seed corpus of the iffparse fuzz target into fuzz/corpus/: small sound files,
# well formed and not, that start the fuzzer in the interesting places.
import os
import struct

def chunk(cid, data):
    return cid + struct.pack(">I", len(data)) + data + (b"\0" if len(data) % 2 else b"")

def group(gid, gtype, contents):
    return chunk(gid, gtype + contents)

def vhdr(one_shot, rate, octaves=1, compression=0):
    return chunk(b"VHDR", struct.pack(">IIIHBBi", one_shot, 0, 0, rate, octaves, compression, 0x10000))

samples = bytes((i * 37 + 1) & 0xFF for i in range(64))
body = chunk(b"BODY", samples)
sound = group(b"FORM", b"8SVX", vhdr(64, 8000) + body)

seeds = {
    "sound": sound,
    "sound-step": sound + b"\x01",  # an odd last byte: the target steps
    "annotated": group(b"FORM", b"8SVX", chunk(b"ANNO", b"odd") + vhdr(64, 22050) + body),
    "list-prop": group(b"LIST", b"8SVX", group(b"PROP", b"8SVX", vhdr(64, 8000)) +
                       group(b"FORM", b"8SVX", body) + group(b"FORM", b"8SVX", vhdr(32, 11025) + body)),
    "cat-nested": group(b"CAT ", b"    ", group(b"FORM", b"8SVX", group(b"FORM", b"ILBM", chunk(b"BMHD", b"x" * 20)) +
                                                 vhdr(64, 8000) + body) + sound),
    "compressed": group(b"FORM", b"8SVX", vhdr(64, 8000, 1, 1) + body),
    "truncated": sound[:len(sound) - 10],
    "oversized": b"FORM" + struct.pack(">I", 0x7FFFFFF0) + sound[8:],
}

folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
os.makedirs(folder, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(folder, name + ".iff"), "wb") as out:
        out.write(data)
