#!/usr/bin/env python3
"""Mixing speed of the game's module player beside libxmp and libopenmpt.

Runs build/bench/sound_bench (our MixModule and libxmp's linear interpolation,
44100 Hz stereo 16-bit) and times openmpt123 rendering the first sub-song of the
same modules with its default interpolation to 16-bit 44100 Hz stereo. Speeds
are seconds of audio per CPU second.

usage: tools/bench_s3m.py [--bench build/bench/sound_bench] [--dir DIR]
"""
import argparse
import json
import os
import re
import resource
import subprocess
import sys


def openmpt_speed(module):
    info = subprocess.run(["openmpt123", "--info", "--subsong", "0", module], check=True,
                          capture_output=True, text=True).stdout
    m = re.search(r"Duration\.*: (?:(\d+):)?(\d+):(\d+(?:\.\d+)?)", info)
    seconds = int(m.group(1) or 0) * 3600 + int(m.group(2)) * 60 + float(m.group(3))
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(["openmpt123", "--quiet", "--batch", "--stdout", "--subsong", "0", "--samplerate",
                    "44100", "--no-float", module], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return seconds / cpu


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bench", default=os.path.join("build", "bench", "sound_bench"))
    parser.add_argument("--dir", default="/work/shared/testdata/s3m")
    args = parser.parse_args()
    out = subprocess.run([args.bench, "--s3m-dir", args.dir, "--benchmark_format=json",
                          "--benchmark_repetitions=3", "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    ours, xmp, core = {}, {}, None
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        name = b["run_name"]
        if name.startswith("MixModule/"):
            ours[name.split("/", 1)[1]] = b["audio_x"]
        elif name.startswith("XmpLinear/"):
            xmp[name.split("/", 1)[1]] = b["audio_x"]
        elif name == "GameAudioSecond":
            core = b["core_pct"]
    print(f"{'module':<14} {'ours':>8} {'libxmp':>8} {'openmpt':>8} {'vs xmp':>7} {'vs mpt':>7}")
    for module in sorted(ours):
        mpt = openmpt_speed(os.path.join(args.dir, module))
        x = xmp.get(module, float("nan"))
        print(f"{module:<14} {ours[module]:8.0f} {x:8.0f} {mpt:8.0f} {ours[module] / x:7.2f} "
              f"{ours[module] / mpt:7.2f}")
    if core is not None:
        print(f"game audio (music streamed + 4 effects): {core:.3f} % of one core")
    return 0


if __name__ == "__main__":
    sys.exit(main())
