#!/usr/bin/python3
"""Repairs the lines of text files with Dask, each line a record, on worker processes.

    PYTHONPATH=build/python python3 examples/python/dask_fix.py --workers 2 in.txt > out.txt

Without --scheduler, a cluster of worker processes starts on this machine; with
--scheduler tcp://HOST:8786 the work goes to a running cluster whose workers can import qor.
Only qor's own functions and builtins travel to the workers, so they need nothing else.
"""
import argparse
import sys

import dask.bag as db
import dask.dataframe as dd
from dask.distributed import Client, LocalCluster

import qor


def local_cluster(workers: int) -> LocalCluster:
    """Worker processes on this machine, one thread each, reached on the loopback address."""
    return LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                        host="127.0.0.1", dashboard_address=None)


def fixed_lines(paths: list[str], blocksize: int = 1 << 20) -> db.Bag:
    """The files' lines repaired, in order, without their line breaks."""
    lines = db.read_text(paths, blocksize=blocksize).map(str.removesuffix, "\n")
    return lines.map(qor.fix)


def fixed_column(frame: dd.DataFrame, column: str) -> dd.Series:
    """A text column of a Dask data frame repaired record by record."""
    return frame[column].map(qor.fix, meta=(column, "object"))


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("files", nargs="+")
    parser.add_argument("--workers", type=int, default=2)
    parser.add_argument("--scheduler", help="the address of a running cluster's scheduler")
    args = parser.parse_args()
    cluster = None if args.scheduler else local_cluster(args.workers)
    with Client(args.scheduler or cluster):
        for line in fixed_lines(args.files).compute():
            sys.stdout.write(line + "\n")
    if cluster:
        cluster.close()


if __name__ == "__main__":
    main()
