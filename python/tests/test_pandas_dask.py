"""Repairing a column of records with pandas, and the same on a Dask cluster of two worker
processes: the results are those of the serial run, record for record."""
import csv
import os
import sys
from pathlib import Path

import dask.dataframe as dd
import pandas as pd
import pytest
from dask.distributed import Client

import qor

SOURCE = Path(os.environ.get("QOR_SOURCE_DIR", Path(__file__).parents[2]))
sys.path.insert(0, str(SOURCE / "examples" / "python"))
import dask_fix  # noqa: E402
import pandas_fix  # noqa: E402


@pytest.fixture(scope="module")
def records():
    """Garbled texts of the diagnosis corpus and their originals, interleaved."""
    with open(SOURCE / "bench" / "diagnosis_corpus" / "cases.tsv", encoding="utf-8") as f:
        rows = [r for r in csv.reader(f, delimiter="\t", quoting=csv.QUOTE_NONE)
                if r and not r[0].startswith("#")]
    return [text for row in rows[:150] for text in (row[4], row[3])]


@pytest.fixture(scope="module")
def serial(records):
    return [qor.fix(r) for r in records]


def test_pandas_series_map(records, serial):
    frame = pd.DataFrame({"text": records + [None]})
    fixed = pandas_fix.fix_column(frame, "text")
    assert fixed[:-1].tolist() == serial
    assert pd.isna(fixed.iloc[-1])
    assert sum(a != b for a, b in zip(records, serial)) > len(records) // 4


@pytest.fixture(scope="module")
def client():
    with dask_fix.local_cluster(2) as cluster, Client(cluster) as client:
        assert len(client.scheduler_info()["workers"]) == 2
        yield client


def test_dask_bag_on_two_workers(client, records, serial, tmp_path):
    path = tmp_path / "records.txt"
    path.write_text("".join(r + "\n" for r in records), encoding="utf-8")
    bag = dask_fix.fixed_lines([str(path)], blocksize=4096)
    assert bag.npartitions > 2
    assert bag.compute() == serial


def test_dask_dataframe_on_two_workers(client, records, serial):
    frame = dd.from_pandas(pd.DataFrame({"text": records}), npartitions=4)
    assert dask_fix.fixed_column(frame, "text").compute().tolist() == serial
