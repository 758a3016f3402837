#!/usr/bin/env python3
"""Compares the game's S3M player with openmpt123, an independent player.

For each module: the song length of `velotrix-tool s3m-info` against
`openmpt123 --info --subsong 0`, and the correlation of the RMS envelopes
(50 ms windows over the first 30 s, or the whole song) of `velotrix-tool
s3m-render` and openmpt123's rendering at the same rate. openmpt123 must load
every module without warnings.

usage: tools/compare_s3m.py [--tool build/velotrix-tool] [--seconds N] [MODULE ...]
       tools/compare_s3m.py --music [--tool build/velotrix-tool]
       (default modules: /work/shared/testdata/s3m/*.s3m; --music: the game's six
       modules as velotrix-mkdata composes them, compared over their whole length)
Exit status 0 when every module is within 1 % in length and correlates at 0.9 or
better; the table is printed either way.
"""
import argparse
import array
import glob
import math
import os
import re
import subprocess
import sys
import tempfile

RATE = 44100
SECONDS = 30
WINDOW = RATE // 20  # 50 ms
MUSIC = ["fl1", "fl2", "fl3", "fl4", "qel_z", "qel3"]


def our_length(tool, module):
    out = subprocess.run([tool, "s3m-info", module], check=True, capture_output=True, text=True).stdout
    return float(re.search(r"^length: ([0-9.]+)$", out, re.M).group(1))


def openmpt_info(module):
    """Song length and load warnings (empty when none) from openmpt123."""
    out = subprocess.run(["openmpt123", "--info", "--subsong", "0", module], check=True,
                         capture_output=True, text=True).stdout
    m = re.search(r"Duration\.*: (?:(\d+):)?(\d+):(\d+(?:\.\d+)?)", out)
    hours = int(m.group(1) or 0)
    warnings = re.search(r"^Warnings\.*: (.*)$", out, re.M)
    return hours * 3600 + int(m.group(2)) * 60 + float(m.group(3)), warnings.group(1) if warnings else ""


def read_wav16(path):
    """Samples of a 16-bit PCM WAV file and its channel count."""
    with open(path, "rb") as f:
        data = f.read()
    pos, channels = 12, 2
    while pos + 8 <= len(data):
        tag, size = data[pos:pos + 4], int.from_bytes(data[pos + 4:pos + 8], "little")
        if tag == b"fmt ":
            channels = int.from_bytes(data[pos + 10:pos + 12], "little")
        elif tag == b"data":
            samples = array.array("h")
            body = data[pos + 8:pos + 8 + size]
            samples.frombytes(body[:len(body) // 2 * 2])
            if sys.byteorder != "little":
                samples.byteswap()
            return samples, channels
        pos += 8 + size + (size & 1)
    raise ValueError(path + ": no data chunk")


def envelope(samples, channels, seconds):
    values_per_window = WINDOW * channels
    windows = len(samples) // values_per_window
    if seconds:
        windows = min(windows, seconds * 20)
    env = []
    for w in range(windows):
        chunk = samples[w * values_per_window:(w + 1) * values_per_window]
        env.append(math.sqrt(sum(v * v for v in chunk) / len(chunk)))
    return env


def correlation(a, b):
    n = min(len(a), len(b))
    a, b = a[:n], b[:n]
    ma, mb = sum(a) / n, sum(b) / n
    cov = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    va = sum((x - ma) ** 2 for x in a)
    vb = sum((y - mb) ** 2 for y in b)
    return cov / math.sqrt(va * vb) if va > 0 and vb > 0 else 0.0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", default=os.path.join("build", "velotrix-tool"))
    parser.add_argument("--seconds", type=int, help="compare this much (0: the whole song)")
    parser.add_argument("--music", action="store_true", help="the six modules velotrix-mkdata composes")
    parser.add_argument("modules", nargs="*")
    args = parser.parse_args()
    seconds = args.seconds if args.seconds is not None else (0 if args.music else SECONDS)
    ok = True
    print(f"{'module':<14} {'ours s':>9} {'openmpt s':>9} {'diff %':>7} {'rms corr':>8}")
    with tempfile.TemporaryDirectory() as tmp:
        modules = args.modules
        if args.music:
            mkdata = os.path.join(os.path.dirname(args.tool), "tools", "velotrix-mkdata")
            subprocess.run([mkdata, tmp, "music"], check=True, stdout=subprocess.DEVNULL)
            modules += [os.path.join(tmp, "DATA", name + ".s3m") for name in MUSIC]
        modules = modules or sorted(glob.glob("/work/shared/testdata/s3m/*.s3m"))
        for module in modules:
            ours_wav = os.path.join(tmp, "ours.wav")
            ref_wav = os.path.join(tmp, "ref.wav")
            length = ["--seconds", str(seconds)] if seconds else []
            subprocess.run([args.tool, "s3m-render", module, ours_wav] + length, check=True)
            end = ["--end-time", str(seconds)] if seconds else []
            subprocess.run(["openmpt123", "--quiet", "--batch", "--subsong", "0"] + end +
                           ["--samplerate", str(RATE), "--no-float", "--force", "-o", ref_wav, module],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            ours = our_length(args.tool, module)
            ref, warnings = openmpt_info(module)
            diff = (ours - ref) / ref * 100 if ref else float("inf")
            corr = correlation(envelope(*read_wav16(ours_wav), seconds),
                               envelope(*read_wav16(ref_wav), seconds))
            good = abs(diff) <= 1.0 and corr >= 0.9 and not warnings
            ok = ok and good
            print(f"{os.path.basename(module):<14} {ours:9.3f} {ref:9.3f} {diff:7.2f} {corr:8.3f}"
                  f"{'' if good else '  <-'}")
            if warnings:
                print(f"{'':<14} openmpt123 warns: {warnings}")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
