"""The module qor as a Python program uses it: str in and out, exceptions, threads."""
import ast
import doctest
import pickle
import sys
import threading
from pathlib import Path

import pytest

import qor

GARBLED = [
    ("涔辩爜", "乱码"),                  # UTF-8 read as GBK
    ("ÖÐÎÄ×Ö·û", "中文字符"),          # GBK read as Windows-1252
    ("%E4%B8%AD%E6%96%87", "中文"),      # URL encoding
]
CLEAN = ["乱码是常见的问题。", "plain ASCII", ""]
# Lone surrogates, as a str decoded with "surrogateescape" holds them.
SURROGATES = [("a\udc80b", "ａ\udc80ｂ"), ("\ud800", "\ud800"), ("x\udfff\ud800y", "ｘ\udfff\ud800ｙ")]


@pytest.mark.parametrize("text,fixed", GARBLED + [(t, t) for t in CLEAN])
def test_fix(text, fixed):
    assert qor.fix(text) == fixed


@pytest.mark.parametrize("text,full_width", SURROGATES)
def test_lone_surrogates_go_in_and_come_back(text, full_width):
    assert qor.apply(text) == text
    assert qor.apply(text, "转全角") == full_width
    assert isinstance(qor.fix(text), str)


def test_diagnose_ranks_candidates_that_apply_replays():
    candidates = qor.diagnose("涔辩爜", top=4)
    assert len(candidates) == 4
    best = candidates[0]
    assert (best.chain, best.result) == (["GB--UTF8"], "乱码")
    assert best.score > 0 and best.explanation
    for c in candidates:
        assert qor.apply("涔辩爜", *c.chain) == c.result
        assert c.lost == c.substituted + c.invalid
    assert qor.diagnose("clean text")[0].chain == []
    assert qor.diagnose("涔辩爜", top=0) == []


@pytest.mark.parametrize("function", [qor.fix, qor.diagnose, qor.apply, qor.labels, qor.decode,
                                      qor.encode])
def test_functions_pickle_by_name_for_other_processes(function):
    assert pickle.loads(pickle.dumps(function)) is function


def test_candidates_pickle_for_other_processes():
    c = qor.diagnose("涔辩爜")[0]
    copy = pickle.loads(pickle.dumps(c))
    assert (copy.chain, copy.result, copy.score, copy.lost, copy.explanation) == (
        c.chain, c.result, c.score, c.lost, c.explanation)


def test_apply():
    assert qor.apply("ÖÐÎÄ", "Eng--GB") == "中文"
    assert qor.apply("Ã–Ã\u0090ÃŽÃ„", "Eng--UTF8", "Eng--GB") == "中文"
    assert qor.apply("涔辩爜", "Code Page: (936)--(65001)") == "乱码"


def test_apply_raises_unchanged_naming_the_step():
    with pytest.raises(qor.Unchanged, match="GB--Big5"):
        qor.apply("", "GB--Big5")


def test_apply_names_the_closest_labels_for_an_unknown_one():
    with pytest.raises(ValueError, match='"Eng--GB"'):
        qor.apply("ÖÐÎÄ", "Eng-GB")


@pytest.mark.parametrize("call", [lambda: qor.fix(b"bytes"), lambda: qor.apply("x", 1),
                                  lambda: qor.diagnose(None)])
def test_rejects_what_is_not_str(call):
    with pytest.raises(TypeError):
        call()


def test_labels():
    labels = qor.labels()
    assert "Eng--GB" in labels and "LCID: (A)--(B)" in labels
    assert qor.apply("ÖÐÎÄ", labels[labels.index("Eng--GB")]) == "中文"


def test_code_pages():
    assert qor.encode("中文", 936) == b"\xd6\xd0\xce\xc4"
    assert qor.decode(b"\xd6\xd0\xce\xc4", 936) == "中文"
    assert qor.encode("a中", 1252) == b"a?"
    with pytest.raises(ValueError):
        qor.decode(b"x", 12345)


def test_the_engine_runs_without_the_gil():
    # With no forced switches, the main thread runs while the worker is inside qor.fix only if
    # the module released the GIL there.
    text = "涔辩爜鏄\u5e38瑙佺殑闂\u9898銆" * 40
    entered, done = threading.Event(), threading.Event()
    ran_meanwhile = 0

    def worker():
        entered.set()
        qor.fix(text)
        done.set()

    interval = sys.getswitchinterval()
    sys.setswitchinterval(1000)
    try:
        thread = threading.Thread(target=worker)
        thread.start()
        entered.wait()
        while not done.is_set():
            ran_meanwhile += 1
            done.wait(0.001)
        thread.join()
    finally:
        sys.setswitchinterval(interval)
    assert ran_meanwhile > 0


def test_threads_get_what_one_thread_gets():
    texts = [t for t, _ in GARBLED] + CLEAN + ["鏂囧瓧", "Ã©tÃ©", "=E4=B8=AD"]
    serial = [qor.fix(t) for t in texts]
    results = {}

    def worker(k):
        results[k] = [qor.fix(t) for t in texts * 3]

    threads = [threading.Thread(target=worker, args=(k,)) for k in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert all(r == serial * 3 for r in results.values())


def test_docstring_examples():
    outcome = doctest.testmod(qor, extraglobs={"qor": qor})
    assert outcome.attempted > 0 and outcome.failed == 0


def test_stub_names_what_the_module_has():
    stub = ast.parse((Path(__file__).parents[1] / "qor.pyi").read_text(encoding="utf-8"))
    names = {n.name for n in stub.body if isinstance(n, (ast.FunctionDef, ast.ClassDef))}
    names |= {n.target.id for n in stub.body if isinstance(n, ast.AnnAssign)}
    public = {n for n in dir(qor) if not n.startswith("_")} | {"__version__"}
    assert names == public
    candidate = next(n for n in stub.body if isinstance(n, ast.ClassDef) and n.name == "Candidate")
    properties = {n.name for n in candidate.body if isinstance(n, ast.FunctionDef)}
    assert properties == {n for n in dir(qor.Candidate) if not n.startswith("_")}
