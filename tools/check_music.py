#!/usr/bin/env python3
"""Checks the generated modules against an independent player.

For each of the six modules that velotrix-mkdata composes (or the modules
given on the command line) it reports:
  - whether openmpt123 loads it without warnings, and as which tracker;
  - the song length from `openmpt123 --info --subsong 0` and from
    `velotrix-tool s3m-info`, and their difference (must be within 1 %);
  - the correlation of the RMS envelopes (50 ms windows, mono mix) of
    openmpt123's render and `velotrix-tool s3m-render` (must be >= 0.9);
  - peak and RMS level of our render.
Commands the build does not have yet are reported as n/a.

usage: tools/check_music.py [--build DIR] [--keep DIR] [MODULE.s3m ...]
Exit status 1 when a check fails.
"""

import argparse
import array
import math
import os
import re
import subprocess
import sys
import tempfile
import wave

MODULES = ["fl1", "fl2", "fl3", "fl4", "qel_z", "qel3"]
RATE = 44100
WINDOW = RATE // 20  # 50 ms


def run(cmd):
    p = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return p.returncode, p.stdout


def openmpt_info(path):
    code, out = run(["openmpt123", "--info", "--subsong", "0", path])
    if code != 0:
        return None
    info = {}
    for line in out.splitlines():
        m = re.match(r"^(\w[\w ]*?)\.*: (.*)$", line)
        if m:
            info[m.group(1).strip()] = m.group(2).strip()
    d = re.match(r"(?:(\d+):)?(\d+):(\d+(?:\.\d+)?)", info.get("Duration", ""))
    if d:
        h = int(d.group(1)) if d.group(1) else 0
        info["seconds"] = h * 3600 + int(d.group(2)) * 60 + float(d.group(3))
    return info


def tool_has(tool, command):
    code, out = run([tool, "--help"])
    return command in out


def ours_length(tool, path):
    code, out = run([tool, "s3m-info", path])
    m = re.search(r"^length:\s*([\d.]+)", out, re.M)
    return float(m.group(1)) if code == 0 and m else None


def mono_envelope(path):
    w = wave.open(path)
    ch, width, n = w.getnchannels(), w.getsampwidth(), w.getnframes()
    if width != 2:
        raise ValueError(path + ": expected 16-bit PCM")
    a = array.array("h", w.readframes(n))
    if sys.byteorder != "little":
        a.byteswap()
    env, peak, total = [], 0, 0.0
    for start in range(0, n - WINDOW + 1, WINDOW):
        seg = a[start * ch:(start + WINDOW) * ch]
        if ch == 2:
            mono = [l + r for l, r in zip(seg[0::2], seg[1::2])]
        else:
            mono = [2 * s for s in seg]
        sq = sum(v * v for v in mono)
        total += sq
        env.append(math.sqrt(sq / WINDOW))
        peak = max(peak, max(abs(v) for v in seg))
    rms = math.sqrt(total / max(1, len(env) * WINDOW)) / 2
    return env, peak, rms


def correlation(a, b):
    n = min(len(a), len(b))
    if n < 2:
        return float("nan")
    a, b = a[:n], b[:n]
    ma, mb = sum(a) / n, sum(b) / n
    cov = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    va = sum((x - ma) ** 2 for x in a)
    vb = sum((y - mb) ** 2 for y in b)
    return cov / math.sqrt(va * vb) if va > 0 and vb > 0 else float("nan")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default="build", help="build directory with velotrix-tool and velotrix-mkdata")
    ap.add_argument("--keep", help="keep renders in this folder")
    ap.add_argument("modules", nargs="*")
    args = ap.parse_args()

    tool = os.path.join(args.build, "velotrix-tool")
    mkdata = next((p for p in [os.path.join(args.build, "velotrix-mkdata"),
                               os.path.join(args.build, "tools", "velotrix-mkdata")] if os.path.exists(p)), None)
    work = args.keep or tempfile.mkdtemp(prefix="check_music_")
    os.makedirs(work, exist_ok=True)

    paths = args.modules
    if not paths:
        if not mkdata:
            sys.exit("velotrix-mkdata not found in " + args.build)
        code, out = run([mkdata, work, "music"])
        if code != 0:
            sys.exit(out)
        paths = [os.path.join(work, "DATA", m + ".s3m") for m in MODULES]

    have_info = os.path.exists(tool) and tool_has(tool, "s3m-info")
    have_render = os.path.exists(tool) and tool_has(tool, "s3m-render")
    failed = False
    print("%-10s %-28s %9s %9s %7s %7s %8s %8s" % ("module", "openmpt tracker", "openmpt s", "ours s",
                                                 "diff %", "corr", "peak", "rms dB"))
    for path in paths:
        name = os.path.basename(path)
        info = openmpt_info(path)
        if info is None:
            print("%-10s openmpt123 cannot load it" % name)
            failed = True
            continue
        if "Warnings" in info:
            print("%-10s openmpt123 warns: %s" % (name, info["Warnings"]))
            failed = True
        mpt_s = info.get("seconds")
        ours_s = ours_length(tool, path) if have_info else None
        diff = abs(ours_s - mpt_s) / mpt_s * 100 if ours_s and mpt_s else None
        if diff is not None and diff > 1.0:
            failed = True
        corr = peak = rms_db = None
        if have_render:
            stem = os.path.join(work, os.path.splitext(name)[0])
            run(["openmpt123", "--render", "--force", "--samplerate", str(RATE), "--no-float",
                 "--output-type", "wav", path])
            os.replace(path + ".wav", stem + "_openmpt.wav")
            code, out = run([tool, "s3m-render", path, stem + "_ours.wav"])
            if code == 0:
                e1, _, _ = mono_envelope(stem + "_openmpt.wav")
                e2, peak, rms = mono_envelope(stem + "_ours.wav")
                corr = correlation(e1, e2)
                rms_db = 20 * math.log10(rms / 32768) if rms > 0 else -99
                if not corr >= 0.9:
                    failed = True
            else:
                print("%-10s s3m-render failed: %s" % (name, out.strip()))
                failed = True

        def fmt(v, f):
            return f % v if v is not None else "n/a"

        print("%-10s %-28s %9s %9s %7s %7s %8s %8s" % (
            name, info.get("Tracker", "?")[:28], fmt(mpt_s, "%.3f"), fmt(ours_s, "%.3f"), fmt(diff, "%.2f"),
            fmt(corr, "%.3f"), fmt(peak, "%d"), fmt(rms_db, "%.1f")))
    if not args.keep and not args.modules:
        print("(renders in %s)" % work)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
