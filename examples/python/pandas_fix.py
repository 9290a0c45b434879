#!/usr/bin/python3
"""Repairs a column of a CSV file with pandas, record by record.

    PYTHONPATH=build/python python3 examples/python/pandas_fix.py in.csv COLUMN out.csv

The repaired text replaces the column; empty cells stay empty. (PYTHONPATH is not needed once
cmake --install has put the module qor where Python looks.)
"""
import argparse

import pandas as pd

import qor


def fix_column(frame: pd.DataFrame, column: str) -> pd.Series:
    """The column repaired record by record; missing values stay missing."""
    return frame[column].map(qor.fix, na_action="ignore")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("input")
    parser.add_argument("column")
    parser.add_argument("output")
    args = parser.parse_args()
    frame = pd.read_csv(args.input, dtype=str)
    frame[args.column] = fix_column(frame, args.column)
    frame.to_csv(args.output, index=False)


if __name__ == "__main__":
    main()
