#!/usr/bin/python3
"""qor.fix over records with Dask on a LocalCluster of one worker process, then of two: the
wall time of each and the speed-up (the two runs must give the same results).

    PYTHONPATH=build/python bench/library/dask_scaling.py --kind corpus --count 2000
"""
import argparse
import os
import sys
import time
from pathlib import Path

import dask.bag as db
from dask.distributed import Client

import qor

sys.path.insert(0, str(Path(__file__).parent))
sys.path.insert(0, str(Path(__file__).parents[2] / "examples" / "python"))
from dask_fix import local_cluster  # noqa: E402
from records import KINDS, records  # noqa: E402


def timed_run(texts: list[str], workers: int, partitions: int) -> tuple[float, list[str]]:
    with local_cluster(workers) as cluster, Client(cluster) as client:
        # Start-up is not the work: every worker loads the module and its model first.
        client.run(qor.fix, "涔辩爜")
        bag = db.from_sequence(texts, npartitions=partitions).map(qor.fix)
        start = time.perf_counter()
        fixed = bag.compute()
        return time.perf_counter() - start, fixed


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--kind", choices=KINDS, default="corpus")
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--partitions", type=int, default=16)
    args = parser.parse_args()
    texts = records(args.kind, args.count)
    print(f"{len(texts)} {args.kind} records in {args.partitions} partitions, "
          f"load average {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores")
    one, fixed_one = timed_run(texts, 1, args.partitions)
    print(f"one worker: {one:.2f} s ({len(texts) / one:,.0f} records/s); "
          f"load average {os.getloadavg()[0]:.2f}")
    two, fixed_two = timed_run(texts, 2, args.partitions)
    print(f"two workers: {two:.2f} s ({len(texts) / two:,.0f} records/s); "
          f"load average {os.getloadavg()[0]:.2f}")
    if fixed_one != fixed_two:
        sys.exit("the two runs differ")
    print(f"speed-up of two workers over one: {one / two:.2f}")


if __name__ == "__main__":
    main()
