#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/: small inputs, well
# formed and not, that start each fuzzer in the interesting places.
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

iffparse = {
    "sound": sound,
    "sound-step": sound + b"\x01",  # an odd last byte: the target steps
    "sound-step-groups": sound + b"\x03",  # and reads from groups too
    "annotated": group(b"FORM", b"8SVX", chunk(b"ANNO", b"odd") + vhdr(64, 22050) + body),
    "list-prop": group(b"LIST", b"8SVX", group(b"PROP", b"8SVX", vhdr(64, 8000)) +
                       group(b"FORM", b"8SVX", body) + group(b"FORM", b"8SVX", vhdr(32, 11025) + body)),
    "cat-nested": group(b"CAT ", b"    ", group(b"FORM", b"8SVX", group(b"FORM", b"ILBM", chunk(b"BMHD", b"x" * 20)) +
                                                 vhdr(64, 8000) + body) + sound),
    "compressed": group(b"FORM", b"8SVX", vhdr(64, 8000, 1, 1) + body),
    "truncated": sound[:len(sound) - 10],
    "oversized": b"FORM" + struct.pack(">I", 0x7FFFFFF0) + sound[8:],
}


opentextfile = {
    "lines": b"first\nsecond\n",
    "no-final-feed": b"one\ntwo",
    "crlf": b"0\r\n\r\n",
    "empty-lines": b"\n\n\n",
    "nul": b"a\0b\n\0\n",
    "empty": b"",
}

# The seven values in the order the target writes them, "|" between files.
def game(state, history, code, colours="0000"):
    return "|".join([state + "\n", history + "\n", code + "\n"] + [c + "\n" for c in colours]).encode()

savedgame = {
    "playing": game("0", "012312;321021", "0215", "7310"),
    "solved": game("2", "321021;021540", "0215", "0215"),
    "given-up": game("1", "321021", "0215"),
    "win-not-saved": game("0", "021540", "0215"),
    "new-game-half-saved": game("2", "", "5117"),
    "bad-state": game("x", "321021", "0215"),
    "bad-colour": game("0", "", "0215", "0900"),
    "short-code": game("0", "", "021"),
    "torn-record": game("0", "012312;3210", "0215"),
    "wrong-score": game("0", "012340", "0215"),
    "trailing-separator": game("0", "321021;", "0215"),
    "blanks": b" 0 \r\n| 321021 |0215\r\n\r\n| 3|\n|7\n\n",
    "missing-files": b"0\n|\n|0215\n",
    "nothing": b"",
}

def key(code, qualifier=0, previous=b"\0\0\0\0"):
    return struct.pack(">HH", code, qualifier) + previous

keymap = {
    "letters": key(0x20) + key(0x20, 0x0001) + key(0x20, 0x0008) + key(0x20, 0x0010),
    "dead-then-vowel": key(0x23, 0x0010) + key(0x20, 0, bytes([0x23, 0x10, 0, 0])),
    "strings": key(0x4C) + key(0x4C, 0x0002) + key(0x50) + key(0x5F) + key(0x42, 0x0001),
    "caps-and-release": key(0x10, 0x0004) + key(0x90) + key(0x78) + key(0xFFFF, 0xFFFF),
}

split = {
    "semicolons": b"\x01;012312;321021",
    "trailing": b"\x01;a;;",
    "overlapping": b"\x02aaaaaaa",
    "no-separator": b"\x00text",
    "long-separator": b"\x03<->a<->b<-><->",
}

urldecode = {
    "escapes": b"a%20b%2Fc%zz%4",
    "nul": b"%00%0%",
    "plain": b"hello+world",
    "high": b"%ff%FE%e9",
}

localetodouble = {
    "italian": struct.pack("<d", 1234567.891) + b"1.234.567,89",
    "english": struct.pack("<d", -0.005) + b"-1,234.5",
    "huge": struct.pack("<d", 1.7e308) + b"1e308",
    "nan": struct.pack("<d", float("nan")) + b"nan",
    "garbage": b"\xff\xfe,,..--",
}

def rule(search, replacement, text):
    return bytes([len(search), len(replacement)]) + search + replacement + text

replace = {
    "shrinking": rule(b"aa", b"a", b"aaaaaaaa"),
    "growing": rule(b"ab", b"bba", b"aaab"),
    "holds-search": rule(b"a", b"aa", b"banana"),
    "deleting": rule(b"xy", b"", b"xxyyxy"),
    "empty-search": rule(b"", b"z", b"abc"),
    "never-settles": rule(b"ab", b"bab", b"ab"),
}

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
corpora = {"iffparse": (iffparse, ".iff"), "opentextfile": (opentextfile, ".txt"),
           "savedgame": (savedgame, ""), "keymap": (keymap, ""), "split": (split, ""),
           "urldecode": (urldecode, ""), "localetodouble": (localetodouble, ""),
           "replace": (replace, "")}
for target, (seeds, suffix) in corpora.items():
    folder = os.path.join(root, target)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name + suffix), "wb") as out:
            out.write(data)
