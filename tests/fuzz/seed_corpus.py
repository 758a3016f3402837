#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<target>/ from a
built data set (build/data-set after a build) and the graphics tests' images.
Seeds are kept small: modules get short samples, only small images are taken.
Run once; afterwards the corpora grow by fuzzing and are minimised with
-merge=1 (see README.md).

    tests/fuzz/seed_corpus.py build/data-set build/velotrix-tool
"""
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def out(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def shrink_s3m(data, keep=384):
    """The module with every sample cut to `keep` values, the data moved up."""
    oc, ic, pc = struct.unpack_from("<HHH", data, 0x20)
    ptr = 0x60 + oc
    ins = [struct.unpack_from("<H", data, ptr + 2 * i)[0] * 16 for i in range(ic)]
    starts = []
    for a in ins:
        starts.append(((data[a + 13] << 16) | struct.unpack_from("<H", data, a + 14)[0]) * 16)
    body = bytearray(data[: min(starts)])
    for a, start in zip(ins, starts):
        length, ls, le = struct.unpack_from("<III", data, a + 16)
        width = 2 if data[a + 31] & 4 else 1
        n = min(length, keep)
        while len(body) % 16:
            body.append(0)
        para = len(body) // 16
        body[a + 13] = para >> 16
        struct.pack_into("<H", body, a + 14, para & 0xFFFF)
        le = min(le, n)
        if ls >= le:
            ls, le = 0, 0
            body[a + 31] &= ~1
        struct.pack_into("<III", body, a + 16, n, ls, le)
        body += data[start : start + n * width]
    return bytes(body)


def scramble(record):
    state, outb = 0x2C5E19B3, bytearray(record)
    for i in range(len(outb)):
        state = (state * 214013 + 2531011) & 0xFFFFFFFF
        outb[i] ^= (((state >> 16) & 0x7FFF) % 263 + 1) & 0xFF
    return bytes(outb)


def save_file(name, score, lives, credits, items, completed):
    rec = name.encode().ljust(32, b"\0") + struct.pack("<iii", score, lives, credits)
    for item_id, count in items + [(0, 0)] * (10 - len(items)):
        rec += struct.pack("<HHHHHH", item_id, count, 0, 0, 0, 0)
    rec += bytes(completed)
    body = scramble(rec)
    return hashlib.md5(body).digest() + body


def hiscores(entries):
    return b"".join(n.encode().ljust(20, b"\0") + struct.pack("<i", s) for n, s in entries)


def main():
    data_set, tool = sys.argv[1], sys.argv[2]
    D = os.path.join(data_set, "DATA")
    L = os.path.join(data_set, "LANG")

    # Archives: the language archive as built, and a small data archive.
    with tempfile.TemporaryDirectory() as tmp:
        tree = os.path.join(tmp, "tree")
        for rel in ["DATA/Misc.frm", "DATA/litSmall.tga", "DATA/Flag.anm", "DATA/Items.txt"]:
            os.makedirs(os.path.join(tree, os.path.dirname(rel)), exist_ok=True)
            shutil.copy(os.path.join(data_set, rel), os.path.join(tree, rel))
        for prefix, name in [("DATA", "small.dat"), ("LANG", "lang.lng")]:
            if prefix == "LANG":
                shutil.copytree(L, os.path.join(tree, "LANG"))
            archive = os.path.join(tmp, name)
            subprocess.run([tool, "pack", archive, tree, prefix], check=True, stdout=subprocess.DEVNULL)
            out("archive", name, read(archive))

    # Sectioned texts.
    for rel in ["Velotrix.ini", "Items.txt", "BackTiles/Tiles.ini", "Coordinates",
                "Episode1/Levels/Level07", "Misc.frm"]:
        out("text_file", rel.replace("/", "_"), read(os.path.join(D, rel)))
    out("text_file", "Strings.txt", read(os.path.join(L, "Strings.txt")))

    # Images: the tests' small reference images and the smallest of the data set.
    images = os.path.join(HERE, "..", "graphics", "data")
    for f in sorted(os.listdir(images)):
        if f.endswith((".tga", ".bmp", ".pcx")):
            out("bitmap", f, read(os.path.join(images, f)))
    for f in ["litSmall.tga", "Misc.tga", "Particles.tga"]:
        out("bitmap", f, read(os.path.join(D, f)))
    bmps = sorted(os.path.join(r, f) for r, _, fs in os.walk(D) for f in fs if f.endswith(".bmp"))
    small = [p for p in bmps if os.path.getsize(p) < 16384][:2]
    for p in small:
        out("bitmap", os.path.basename(p), read(p))

    # Sprite sheets and animations.
    for f in sorted(os.listdir(D)):
        if f.endswith(".frm"):
            out("frm", f, read(os.path.join(D, f)))
    for rel in ["Ball.anm", "Boss.anm", "Buttons.anm", "TPanel.anm", "Cursor.anm",
                "Items/Item04.anm", "Enemies/Enemy00.anm"]:
        out("anm", os.path.basename(rel), read(os.path.join(D, rel)))

    # Sounds: the shortest effect, a cut one, and two tiny formats.
    hit = read(os.path.join(D, "HitBlock.wav"))
    out("wav", "HitBlock.wav", hit)
    out("wav", "Fire_cut.wav", read(os.path.join(D, "Fire.wav"))[:2000])

    def wav(channels, rate, bits, sound):
        align = channels * bits // 8
        fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * align, align, bits)
        return b"RIFF" + struct.pack("<I", 20 + len(fmt) + len(sound)) + b"WAVEfmt " + \
            struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(sound)) + sound

    out("wav", "mono8.wav", wav(1, 11025, 8, bytes((i * 7) & 255 for i in range(300))))
    out("wav", "stereo16.wav", wav(2, 22050, 16, bytes((i * 13) & 255 for i in range(400))))

    # Modules with short samples.
    for f in ["qel_z.s3m", "fl4.s3m"]:
        out("s3m", f, shrink_s3m(read(os.path.join(D, f))))

    # Levels: header, "\0MAP", block map.
    for ep, n in [(1, 3), (1, 30), (2, 12)]:
        base = os.path.join(D, "Episode%d" % ep, "Levels", "Level%02d" % n)
        out("level", "ep%d_level%02d" % (ep, n), read(base) + b"\0MAP" + read(base + ".map"))
    out("level", "header_only", read(os.path.join(D, "Episode1", "Levels", "Level01")))

    # Saved games and high scores.
    done = [1] * 30 + [0] * 70
    out("save_game", "game1.sav", save_file("Anna", 12345, 5, 900, [(4, 2), (17, 1)], done))
    out("save_game", "fresh.sav", save_file("x" * 16, 0, 8, 150, [], [0] * 100))
    out("save_game", "damaged.sav", b"\1" + save_file("Bob", 1, 1, 1, [(22, 9)], [1] * 100)[1:])
    names = ["Hypercube", "Sphere", "Hemisphere", "Tor", "Cube", "Pyramid", "Triangle", "Plane", "Line", "Dot"]
    out("hiscore", "defaults.hsc", hiscores([(n, 100000 - 10000 * i) for i, n in enumerate(names)]))
    out("hiscore", "percent.hsc", hiscores([("%s%d%n %%", 5 - i) for i in range(10)]))


if __name__ == "__main__":
    main()
