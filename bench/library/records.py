"""Short records for the library's benchmarks, from the diagnosis corpus (bench/diagnosis_corpus):

- "corpus": its garbled texts and their originals, interleaved: what a column of mixed records
  holds; most need the full search for repairs.
- "ascii": its originals that are plain ASCII (English and other Latin lines): some need the
  search (a word that looks like Base64 or an escape), most do not.
- "words": the lower-case words of those lines: records that never need the search, so that the
  cost of each call weighs most against the engine's own.

Records repeat in order to make up the count.
"""
import csv
import itertools
from pathlib import Path

CORPUS = Path(__file__).parents[1] / "diagnosis_corpus" / "cases.tsv"
KINDS = ("corpus", "ascii", "words")


def records(kind: str, count: int) -> list[str]:
    with open(CORPUS, encoding="utf-8") as f:
        rows = [r for r in csv.reader(f, delimiter="\t", quoting=csv.QUOTE_NONE)
                if r and not r[0].startswith("#")]
    if kind == "corpus":
        texts = [text for row in rows for text in (row[4], row[3])]
    elif kind == "ascii":
        texts = sorted({row[3] for row in rows if row[3].isascii()})
    elif kind == "words":
        lines = [row[3] for row in rows if row[3].isascii()]
        texts = sorted({w for line in lines for w in line.lower().split() if w.isalpha()})
    else:
        raise ValueError(f"unknown kind of records {kind!r}: one of {KINDS}")
    # A record is one line of a file for the C++ side.
    texts = [t for t in texts if "\n" not in t and "\r" not in t]
    return list(itertools.islice(itertools.cycle(texts), count))
