#!/usr/bin/python3
"""qor.fix against the C++ API's qor::Fix (build/bench/api_bench) on the same records, on one
core: each side in turn, several rounds, records per CPU second and their ratio.

    PYTHONPATH=build/python bench/library/fix_throughput.py --kind ascii --count 100000
    PYTHONPATH=build/python bench/library/fix_throughput.py --kind corpus --count 1000
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import qor

sys.path.insert(0, str(Path(__file__).parent))
from records import KINDS, records  # noqa: E402


def python_rate(texts: list[str]) -> tuple[float, float]:
    """Records per CPU second and per wall second of one pass with qor.fix."""
    cpu, wall = time.process_time(), time.perf_counter()
    for text in texts:
        qor.fix(text)
    return len(texts) / (time.process_time() - cpu), len(texts) / (time.perf_counter() - wall)


def cpp_rate(bench: Path, path: str) -> tuple[float, float]:
    """Records per CPU second and per wall second of qor::Fix, as api_bench measures them."""
    out = subprocess.run([str(bench), "--benchmark_format=json", "--benchmark_min_time=0.5"],
                         env=dict(os.environ, QOR_RECORDS=path), check=True,
                         capture_output=True, text=True).stdout
    run = json.loads(out)["benchmarks"][0]
    if "error_message" in run:
        sys.exit(f"api_bench: {run['error_message']}")
    per_cpu = run["items_per_second"]
    return per_cpu, per_cpu * run["cpu_time"] / run["real_time"]


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--kind", choices=KINDS, default="ascii")
    parser.add_argument("--count", type=int, default=100_000)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--bench", type=Path,
                        default=Path(__file__).parents[2] / "build" / "bench" / "api_bench")
    parser.add_argument("--cpu", type=int, default=0, help="the core both sides run on")
    args = parser.parse_args()

    os.sched_setaffinity(0, {args.cpu})  # api_bench inherits it
    texts = records(args.kind, args.count)
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "records.txt")
        with open(path, "w", encoding="utf-8", errors="surrogatepass") as f:
            f.write("".join(t + "\n" for t in texts))
        print(f"{len(texts)} {args.kind} records, core {args.cpu}, "
              f"load average {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores")
        ratios = []
        for round_ in range(1, args.rounds + 1):
            cpp_cpu, cpp_wall = cpp_rate(args.bench, path)
            py_cpu, py_wall = python_rate(texts)
            ratios.append(py_cpu / cpp_cpu)
            print(f"round {round_}: C++ {cpp_cpu:,.0f} records/CPU s ({cpp_wall:,.0f}/s wall), "
                  f"Python {py_cpu:,.0f} records/CPU s ({py_wall:,.0f}/s wall), "
                  f"Python/C++ {ratios[-1]:.3f}")
    print(f"median Python/C++ {statistics.median(ratios):.3f}; "
          f"load average now {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
