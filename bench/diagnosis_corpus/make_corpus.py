#!/usr/bin/env python3
"""Builds the diagnosis corpus from the text bench/language_model/make_text.py gathered: real
lines garbled one, two and three layers deep by independent tools (Python's codecs and glibc
iconv) and by this program's own conventions (the half-character cut, a character cut at the
end), plus clean lines that must come back unchanged.

Output: one case a line, tab-separated:
    source  path  tool  original  garbled
source names where the line came from as GROUP/SOURCE of the training text ("zh_hans/help");
path names the garbling, e.g. "utf-8>gbk" (bytes written as UTF-8, read as
GBK) or "utf-8>gbk|utf-8>cp1252" (two layers, the first one first); "escape:url-utf-8" and the
like an escape format; "cut:gbk" the half-character cut; "end:utf-8>gbk" a UTF-8 text cut inside
its last character and read as GBK; "clean/fr" a clean line (garbled = original). Texts are
escaped: backslash as \\\\, tab, line feed, carriage return and other C0 controls as \\uXXXX.

Usage: make_corpus.py TEXT_DIR [--out FILE]
"""

import argparse
import base64
import codecs
import glob
import os
import quopri
import random
import subprocess
import urllib.parse

SEED = 20261207
LONG_PER_PATH = 40
SHORT_PER_PATH = 15
CLEAN_PER_LANG = 80

# Each encoding: Python codec, glibc iconv name.
ENCODINGS = {
    "gbk": ("gbk", "CP936"),
    "gb18030": ("gb18030", "GB18030"),
    "big5": ("cp950", "CP950"),
    "sjis": ("cp932", "CP932"),
    "uhc": ("cp949", "CP949"),
    "cp1252": ("cp1252", "CP1252"),
    "cp1251": ("cp1251", "CP1251"),
    "cp1250": ("cp1250", "CP1250"),
    "cp1253": ("cp1253", "CP1253"),
    "cp866": ("cp866", "CP866"),
    "koi8-r": ("koi8-r", "KOI8-R"),
    "latin1": ("latin-1", "ISO-8859-1"),
    "utf-8": ("utf-8", "UTF-8"),
    "utf-16le": ("utf-16-le", "UTF-16LE"),
    "utf-16be": ("utf-16-be", "UTF-16BE"),
}

CJK = ["zh_CN", "zh_TW", "ja", "ko"]
WEST = ["fr", "de", "es", "pt_BR", "it"]
CENT = ["pl", "cs", "hu"]
CYRL = ["ru", "uk"]

# Garblings: (languages of the source text, layers (written, read), first one first).
PATHS = [
    (CJK, [("utf-8", "gbk")]),
    (CJK, [("utf-8", "cp1252")]),
    (["zh_CN", "ja"], [("utf-8", "latin1")]),
    (["zh_CN", "ja"], [("utf-8", "sjis")]),
    (["zh_CN", "ko"], [("utf-8", "uhc")]),
    (["zh_CN"], [("utf-8", "cp1251")]),
    (["zh_CN"], [("gbk", "cp1252")]),
    (["zh_CN"], [("gbk", "latin1")]),
    (["zh_CN"], [("gbk", "big5")]),
    (["zh_CN"], [("gbk", "sjis")]),
    (["zh_CN"], [("gbk", "uhc")]),
    (["zh_CN"], [("gbk", "cp1251")]),
    (["zh_CN"], [("gb18030", "cp1252")]),
    (["zh_TW"], [("big5", "gbk")]),
    (["zh_TW"], [("big5", "cp1252")]),
    (["zh_TW"], [("big5", "sjis")]),
    (["zh_TW"], [("big5", "uhc")]),
    (["ja"], [("sjis", "gbk")]),
    (["ja"], [("sjis", "cp1252")]),
    (["ja"], [("sjis", "big5")]),
    (["ko"], [("uhc", "gbk")]),
    (["ko"], [("uhc", "big5")]),
    (["ko"], [("uhc", "cp1252")]),
    (["zh_CN", "ja", "ko"], [("utf-16be", "utf-16le")]),
    (["zh_CN", "zh_TW"], [("utf-16le", "utf-16be")]),
    # Western and Central European.
    (WEST, [("utf-8", "cp1252")]),
    (WEST, [("utf-8", "latin1")]),
    (WEST, [("utf-8", "cp1251")]),
    (WEST, [("utf-8", "gbk")]),
    (CENT, [("utf-8", "cp1250")]),
    (CENT, [("utf-8", "cp1252")]),
    (CENT, [("cp1250", "cp1252")]),
    # Cyrillic and Greek.
    (CYRL, [("utf-8", "cp1251")]),
    (CYRL, [("utf-8", "cp1252")]),
    (CYRL, [("utf-8", "koi8-r")]),
    (CYRL, [("utf-8", "cp866")]),
    (CYRL, [("utf-8", "gbk")]),
    (["ru"], [("cp1251", "koi8-r")]),
    (["ru"], [("koi8-r", "cp1251")]),
    (["ru"], [("cp866", "cp1251")]),
    (["ru"], [("cp1251", "cp866")]),
    (["ru"], [("cp1251", "cp1252")]),
    (["ru"], [("cp1251", "latin1")]),
    (["ru"], [("cp1251", "gbk")]),
    (["el"], [("utf-8", "cp1252")]),
    (["el"], [("utf-8", "cp1253")]),
    (["el"], [("cp1253", "cp1252")]),
    # Two layers.
    (["zh_CN", "zh_TW", "ja"], [("utf-8", "gbk"), ("utf-8", "gbk")]),
    (["zh_CN", "ja", "ko"], [("utf-8", "cp1252"), ("utf-8", "cp1252")]),
    (["zh_CN", "zh_TW"], [("utf-8", "gbk"), ("utf-8", "cp1252")]),
    (["zh_CN", "ko"], [("utf-8", "cp1252"), ("utf-8", "gbk")]),
    (["zh_CN"], [("gbk", "cp1252"), ("utf-8", "gbk")]),
    (["zh_CN"], [("gbk", "cp1252"), ("utf-8", "cp1252")]),
    (["zh_CN"], [("utf-8", "latin1"), ("utf-8", "latin1")]),
    (["zh_TW"], [("big5", "gbk"), ("utf-8", "cp1252")]),
    (["zh_TW"], [("big5", "cp1252"), ("utf-8", "gbk")]),
    (["ja"], [("sjis", "gbk"), ("utf-8", "gbk")]),
    (["ja"], [("utf-8", "sjis"), ("utf-8", "gbk")]),
    (["ko"], [("uhc", "gbk"), ("utf-8", "cp1252")]),
    (["zh_CN"], [("utf-8", "big5"), ("utf-8", "gbk")]),
    (WEST + CENT, [("utf-8", "cp1252"), ("utf-8", "cp1252")]),
    (CYRL, [("utf-8", "cp1251"), ("utf-8", "cp1252")]),
    (CYRL, [("utf-8", "cp1252"), ("utf-8", "cp1252")]),
    # Three layers.
    (WEST + ["zh_CN"], [("utf-8", "cp1252")] * 3),
    (CYRL, [("utf-8", "cp1251"), ("utf-8", "cp1251"), ("utf-8", "cp1251")]),
]

# Escape formats: (languages, name, encoder from text to its escaped form).
ESCAPES = [
    (["zh_CN", "ja"], "url-utf-8", lambda t: urllib.parse.quote(t.encode("utf-8"), safe=" /")),
    (["zh_CN"], "url-gbk", lambda t: urllib.parse.quote(t.encode("gbk"), safe=" /")),
    (["zh_CN", "ko"], "qp-utf-8", lambda t: quopri.encodestring(t.encode("utf-8")).decode("ascii")),
    (["zh_CN", "zh_TW"], "base64-utf-8", lambda t: base64.b64encode(t.encode("utf-8")).decode()),
    (["zh_CN"], "base64-gbk", lambda t: base64.b64encode(t.encode("gbk")).decode()),
    (["zh_CN", "ja"], "html-dec", lambda t: "".join(c if c < "\x80" else f"&#{ord(c)};" for c in t)),
    (["zh_CN", "ko"], "js-u",
     lambda t: "".join(c if c < "\x80" else "".join(f"\\u{u:04X}" for u in _units(c)) for c in t)),
    (["zh_CN", "zh_TW", "ja"], "utf-7", lambda t: t.encode("utf-7").decode("ascii")),
    (["zh_CN"], "hz", lambda t: t.encode("hz").decode("ascii")),
]

CLEAN_LANGS = CJK + WEST + CENT + CYRL + ["el", "en"]


def _units(c):
    data = c.encode("utf-16-be")
    return [int.from_bytes(data[k:k + 2], "big") for k in range(0, len(data), 2)]


def windows_single_byte(error):
    """Windows reads the bytes its single-byte tables leave out (1252: 81 8D 8F 90 9D) as the
    C1 code points of the same value."""
    if isinstance(error, UnicodeDecodeError):
        bad = error.object[error.start:error.end]
        return "".join(chr(b) for b in bad), error.end
    raise error


codecs.register_error("windows-c1", windows_single_byte)


def load_lines(text_dir):
    """{lang: [(source, line)]} of the training text."""
    pools = {}
    for path in sorted(glob.glob(os.path.join(text_dir, "train", "*", "*", "*.txt"))):
        group, source = path.split(os.sep)[-3:-1]
        if source == "words":
            continue
        lang = os.path.basename(path)[:-4]
        pools.setdefault(lang, []).extend((group + "/" + source, l) for l in read(path))
    return pools


def read(path):
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n") for line in f if 2 <= len(line) <= 300]


def python_layer(text, written, read_as):
    return text.encode(ENCODINGS[written][0]).decode(ENCODINGS[read_as][0], "windows-c1")


def iconv(data, source, target):
    done = subprocess.run(["iconv", "-f", source, "-t", target], input=data, capture_output=True)
    if done.returncode != 0:
        raise ValueError("iconv failed")
    return done.stdout


def iconv_layer(text, written, read_as):
    data = iconv(text.encode("utf-8"), "UTF-8", ENCODINGS[written][1])
    return iconv(data, ENCODINGS[read_as][1], "UTF-8").decode("utf-8")


def encode_windows(text, encoding):
    """Bytes of the text under an encoding; on the single-byte pages a C1 code point the
    Python table lacks is the byte of the same value, as Windows writes it."""
    codec = ENCODINGS[encoding][0]
    if encoding not in ("cp1252", "cp1251", "cp1250", "cp1253"):
        return text.encode(codec)
    out = bytearray()
    for c in text:
        try:
            out += c.encode(codec)
        except UnicodeError:
            if not "\x80" <= c <= "\x9f":
                raise
            out.append(ord(c))
    return bytes(out)


def garble(text, layers, tool):
    """The text after every layer, or None when a layer cannot be undone exactly."""
    for written, read_as in layers:
        try:
            garbled = (iconv_layer if tool == "iconv" else python_layer)(text, written, read_as)
            if encode_windows(garbled, read_as) != text.encode(ENCODINGS[written][0]):
                return None
        except (UnicodeError, ValueError):
            return None
        if "\0" in garbled or garbled.startswith("\ufeff") or garbled == text:
            return None
        text = garbled
    return text


def cut_half(text):
    """GBK bytes read one byte out of step: the half-character cut undoes it, giving a space
    for the lost half and the text from its second character on."""
    try:
        data = text.encode("gbk")[1:]
        garbled = data.decode("gbk")
    except UnicodeError:
        return None
    if garbled.encode("gbk") != data or not "\u4e00" <= text[0] <= "\u9fff":
        return None
    return " " + text[1:], garbled


def cut_end(text):
    """A UTF-8 text cut inside its last character, read as GBK by a reader that shows what it
    could not read as U+FFFD."""
    data = text.encode("utf-8")
    if len(text[-1].encode("utf-8")) < 2:
        return None
    garbled = data[:-1].decode("gbk", "replace")
    return text[:-1] + "\ufffd", garbled


def escape(text):
    out = []
    for c in text:
        if c == "\\":
            out.append("\\\\")
        elif ord(c) < 0x20 or c == "\x7f":
            out.append("\\u%04X" % ord(c))
        else:
            out.append(c)
    return "".join(out)


def has_script(lang, text):
    if lang in ("zh_CN", "zh_TW"):
        return any("\u4e00" <= c <= "\u9fff" for c in text)
    if lang == "ja":
        return any("\u3040" <= c <= "\u30ff" for c in text)
    if lang == "ko":
        return any("\uac00" <= c <= "\ud7a3" for c in text)
    return any(ord(c) >= 0x80 and c.isalpha() for c in text)


def stream(rng, pools, langs, long_text):
    """An endless stream of (source, text) of the wanted length class."""
    langs = [l for l in langs if pools.get(l)]
    for _ in range(200000):
        lang = rng.choice(langs)
        source, text = rng.choice(pools[lang])
        if has_script(lang, text) and (len(text) >= 10) == long_text:
            yield source, text


def make(rng, pools, langs, name, transform, out):
    """Cases of one garbling: transform(text, tool) gives (original, garbled) or None."""
    if not any(pools.get(l) for l in langs):
        return
    for long_text, wanted in ((True, LONG_PER_PATH), (False, SHORT_PER_PATH)):
        made = 0
        for tries, (source, text) in enumerate(stream(rng, pools, langs, long_text)):
            if made == wanted or tries > wanted * 50:
                break
            tool = "iconv" if rng.random() < 0.5 else "python"
            done = transform(text, tool)
            if done is not None:
                out.append((source, name, tool, done[0], done[1]))
                made += 1


def path_name(layers):
    return "|".join(f"{w}>{r}" for w, r in layers)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("text_dir")
    parser.add_argument("--out", default=None)
    args = parser.parse_args()
    out_path = args.out or os.path.join(os.path.dirname(__file__), "cases.tsv")
    rng = random.Random(SEED)
    pools = load_lines(args.text_dir)
    cases = []
    for langs, layers in PATHS:
        make(rng, pools, langs, path_name(layers),
             lambda t, tool, layers=layers: (lambda g: g and (t, g))(garble(t, layers, tool)),
             cases)
    for langs, name, encode in ESCAPES:
        def escaped(t, tool, encode=encode):
            try:
                e = encode(t)
            except UnicodeError:
                return None
            return (t, e) if e != t else None
        make(rng, pools, langs, "escape:" + name, escaped, cases)
    make(rng, pools, ["zh_CN"], "cut:gbk", lambda t, tool: cut_half(t), cases)
    make(rng, pools, ["zh_CN", "ja"], "end:utf-8>gbk", lambda t, tool: cut_end(t), cases)
    for lang in CLEAN_LANGS:
        lines = pools.get(lang) or []
        for source, text in rng.sample(lines, min(CLEAN_PER_LANG, len(lines))):
            cases.append((source, "clean/" + lang, "-", text, text))
    with open(out_path, "w", encoding="utf-8", newline="\n") as f:
        f.write("# source\tpath\ttool\toriginal\tgarbled  (made by make_corpus.py)\n")
        for source, path, tool, original, garbled in cases:
            f.write("\t".join([source, path, tool, escape(original), escape(garbled)]) + "\n")
    print(f"{len(cases)} cases written to {out_path}")


if __name__ == "__main__":
    main()
