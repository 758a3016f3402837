#!/usr/bin/env python3
"""Compares the game's S3M player with openmpt123, an independent player.

For each module: the song length of `velotrix-tool s3m-info` against
`openmpt123 --info --subsong 0`, and the correlation of the RMS envelopes
(50 ms windows over the first 30 s) of `velotrix-tool s3m-render` and
openmpt123's rendering at the same rate.

usage: tools/compare_s3m.py [--tool build/velotrix-tool] [MODULE ...]
       (default modules: /work/shared/testdata/s3m/*.s3m)
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


def our_length(tool, module):
    out = subprocess.run([tool, "s3m-info", module], check=True, capture_output=True, text=True).stdout
    return float(re.search(r"^length: ([0-9.]+)$", out, re.M).group(1))


def openmpt_length(module):
    out = subprocess.run(["openmpt123", "--info", "--subsong", "0", module], check=True,
                         capture_output=True, text=True).stdout
    m = re.search(r"Duration\.*: (?:(\d+):)?(\d+):(\d+(?:\.\d+)?)", out)
    hours = int(m.group(1) or 0)
    return hours * 3600 + int(m.group(2)) * 60 + float(m.group(3))


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


def envelope(samples, channels):
    values_per_window = WINDOW * channels
    windows = min(len(samples) // values_per_window, SECONDS * 20)
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
    parser.add_argument("modules", nargs="*")
    args = parser.parse_args()
    modules = args.modules or sorted(glob.glob("/work/shared/testdata/s3m/*.s3m"))
    ok = True
    print(f"{'module':<14} {'ours s':>9} {'openmpt s':>9} {'diff %':>7} {'rms corr':>8}")
    with tempfile.TemporaryDirectory() as tmp:
        for module in modules:
            ours_wav = os.path.join(tmp, "ours.wav")
            ref_wav = os.path.join(tmp, "ref.wav")
            subprocess.run([args.tool, "s3m-render", module, ours_wav, "--seconds", str(SECONDS)],
                           check=True)
            subprocess.run(["openmpt123", "--quiet", "--batch", "--subsong", "0", "--end-time",
                            str(SECONDS), "--samplerate", str(RATE), "--no-float", "--force", "-o",
                            ref_wav, module], check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            ours, ref = our_length(args.tool, module), openmpt_length(module)
            diff = (ours - ref) / ref * 100 if ref else float("inf")
            corr = correlation(envelope(*read_wav16(ours_wav)), envelope(*read_wav16(ref_wav)))
            good = abs(diff) <= 1.0 and corr >= 0.9
            ok = ok and good
            print(f"{os.path.basename(module):<14} {ours:9.3f} {ref:9.3f} {diff:7.2f} {corr:8.3f}"
                  f"{'' if good else '  <-'}")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
