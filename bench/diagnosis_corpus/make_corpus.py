#!/usr/bin/env python3
"""Builds the diagnosis corpus: real translated messages from the gettext catalogs of this
machine, garbled one and two layers deep by independent tools (Python's codecs and glibc iconv),
plus clean texts that must come back unchanged.

Output: cases.tsv, one case a line, tab-separated:
    split  path  tool  original  garbled
split is "train" or "test" (by catalog, so that no catalog feeds both); path names the garbling,
e.g. "utf-8>gbk" (bytes written as UTF-8, read as GBK) or "utf-8>gbk|utf-8>cp1252" (two layers,
the first one first); "escape:url-utf-8" and the like name an escape format that a decoder of
the first menu undoes; "clean/zh_CN" marks a clean text (garbled = original). Texts are escaped:
backslash as \\, tab, line feed, carriage return and other C0 controls as \\uXXXX.

Usage: make_corpus.py [--locale-dir /usr/share/locale] [--out cases.tsv]
"""

import argparse
import base64
import quopri
import urllib.parse
import glob
import hashlib
import os
import random
import re
import struct
import subprocess
import unicodedata

SEED = 20261207
LONG_PER_PATH = 60
SHORT_PER_PATH = 20
CLEAN_PER_KIND = 120

# Each encoding: Python codec, glibc iconv name.
ENCODINGS = {
    "gbk": ("gbk", "CP936"),
    "gb18030": ("gb18030", "GB18030"),
    "big5": ("cp950", "CP950"),
    "sjis": ("cp932", "CP932"),
    "uhc": ("cp949", "CP949"),
    "cp1252": ("cp1252", "CP1252"),
    "cp1251": ("cp1251", "CP1251"),
    "latin1": ("latin-1", "ISO-8859-1"),
    "utf-8": ("utf-8", "UTF-8"),
    "utf-16le": ("utf-16-le", "UTF-16LE"),
    "utf-16be": ("utf-16-be", "UTF-16BE"),
}

# One-layer garblings: (languages of the source text, encoding written, encoding read).
ONE_LAYER = [
    (["zh_CN", "zh_TW", "ja", "ko"], "utf-8", "gbk"),
    (["zh_CN", "zh_TW", "ja", "ko"], "utf-8", "cp1252"),
    (["zh_CN", "ja"], "utf-8", "latin1"),
    (["zh_CN", "ja"], "utf-8", "sjis"),
    (["zh_CN", "ko"], "utf-8", "uhc"),
    (["zh_CN"], "utf-8", "cp1251"),
    (["zh_CN"], "gbk", "cp1252"),
    (["zh_CN"], "gbk", "latin1"),
    (["zh_CN"], "gbk", "big5"),
    (["zh_CN"], "gbk", "sjis"),
    (["zh_CN"], "gbk", "uhc"),
    (["zh_CN"], "gbk", "cp1251"),
    (["zh_CN"], "gb18030", "cp1252"),
    (["zh_TW"], "big5", "gbk"),
    (["zh_TW"], "big5", "cp1252"),
    (["zh_TW"], "big5", "sjis"),
    (["zh_TW"], "big5", "uhc"),
    (["ja"], "sjis", "gbk"),
    (["ja"], "sjis", "cp1252"),
    (["ja"], "sjis", "big5"),
    (["ko"], "uhc", "gbk"),
    (["ko"], "uhc", "big5"),
    (["ko"], "uhc", "cp1252"),
    (["ru"], "cp1251", "gbk"),
    (["zh_CN", "ja", "ko"], "utf-16be", "utf-16le"),
    (["zh_CN", "zh_TW"], "utf-16le", "utf-16be"),
]

# Two-layer garblings: the first layer, then its result written and read again.
TWO_LAYERS = [
    (["zh_CN", "zh_TW", "ja"], ("utf-8", "gbk"), ("utf-8", "gbk")),
    (["zh_CN", "ja", "ko"], ("utf-8", "cp1252"), ("utf-8", "cp1252")),
    (["zh_CN", "zh_TW"], ("utf-8", "gbk"), ("utf-8", "cp1252")),
    (["zh_CN", "ko"], ("utf-8", "cp1252"), ("utf-8", "gbk")),
    (["zh_CN"], ("gbk", "cp1252"), ("utf-8", "gbk")),
    (["zh_CN"], ("gbk", "cp1252"), ("utf-8", "cp1252")),
    (["zh_CN"], ("utf-8", "latin1"), ("utf-8", "latin1")),
    (["zh_TW"], ("big5", "gbk"), ("utf-8", "cp1252")),
    (["zh_TW"], ("big5", "cp1252"), ("utf-8", "gbk")),
    (["ja"], ("sjis", "gbk"), ("utf-8", "gbk")),
    (["ja"], ("utf-8", "sjis"), ("utf-8", "gbk")),
    (["ko"], ("uhc", "gbk"), ("utf-8", "cp1252")),
    (["zh_CN"], ("utf-8", "big5"), ("utf-8", "gbk")),
]

CLEAN_KINDS = ["zh_CN", "zh_TW", "ja", "ko", "en", "mixed"]

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


import codecs  # noqa: E402

codecs.register_error("windows-c1", windows_single_byte)


def read_mo(path):
    data = open(path, "rb").read()
    magic = struct.unpack("<I", data[:4])[0]
    order = "<" if magic == 0x950412DE else ">"
    _, count, originals, translations = struct.unpack(order + "4I", data[4:20])
    pairs = []
    for i in range(count):
        n1, o1 = struct.unpack(order + "2I", data[originals + 8 * i: originals + 8 * i + 8])
        n2, o2 = struct.unpack(order + "2I", data[translations + 8 * i: translations + 8 * i + 8])
        pairs.append((data[o1:o1 + n1], data[o2:o2 + n2]))
    return pairs


SCRIPT_TEST = {
    "zh_CN": lambda c: "\u4e00" <= c <= "\u9fff",
    "zh_TW": lambda c: "\u4e00" <= c <= "\u9fff",
    "ja": lambda c: "\u3040" <= c <= "\u30ff",
    "ko": lambda c: "\uac00" <= c <= "\ud7a3",
    "ru": lambda c: "\u0400" <= c <= "\u04ff",
}


def usable(text):
    if not text or len(text) > 300 or text.startswith("\ufeff") or "\ufffd" in text:
        return False
    return all(c in "\n\t" or (ord(c) >= 0x20 and unicodedata.category(c) != "Cs") for c in text)


def split_of(domain):
    return "test" if int(hashlib.md5(domain.encode()).hexdigest(), 16) % 10 < 6 else "train"


def load_messages(locale_dir, lang):
    """(split, domain, message) for each translated message of a language."""
    out = []
    for path in sorted(glob.glob(os.path.join(locale_dir, lang, "LC_MESSAGES", "*.mo"))):
        domain = os.path.basename(path)[:-3]
        pairs = read_mo(path)
        header = dict(pairs).get(b"", b"").decode("ascii", "replace")
        charset = re.search(r"charset=([-\w]+)", header)
        charset = charset.group(1) if charset else "utf-8"
        for msgid, msgstr in pairs:
            if not msgid:
                continue  # the header
            try:
                original = msgid.split(b"\0")[0].decode(charset)
                text = msgstr.split(b"\0")[0].decode(charset)
            except (LookupError, UnicodeError):
                continue
            if lang == "en":
                text = original
            if usable(text):
                out.append((split_of(domain), domain, text, original))
    return out


def python_layer(text, written, read):
    data = text.encode(ENCODINGS[written][0])
    return data.decode(ENCODINGS[read][0], "windows-c1")


def iconv(data, source, target):
    done = subprocess.run(["iconv", "-f", source, "-t", target], input=data, capture_output=True)
    if done.returncode != 0:
        raise ValueError("iconv failed")
    return done.stdout


def iconv_layer(text, written, read):
    data = iconv(text.encode("utf-8"), "UTF-8", ENCODINGS[written][1])
    return iconv(data, ENCODINGS[read][1], "UTF-8").decode("utf-8")


def encode_windows(text, encoding):
    """Bytes of the text under an encoding; on the single-byte pages a C1 code point the
    Python table lacks is the byte of the same value, as Windows writes it."""
    codec = ENCODINGS[encoding][0]
    if encoding not in ("cp1252", "cp1251"):
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
    for written, read in layers:
        try:
            garbled = (iconv_layer if tool == "iconv" else python_layer)(text, written, read)
            # The layer must be undone by writing under `read` and reading under `written`.
            data = text.encode(ENCODINGS[written][0])
            if encode_windows(garbled, read) != data:
                return None
        except (UnicodeError, ValueError):
            return None
        if "\0" in garbled or garbled.startswith("\ufeff") or garbled == text:
            return None
        text = garbled
    return text


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


def paragraph(rng, pool):
    """Two to four messages of one catalog, one a line."""
    split, domain, first, _ = rng.choice(pool)
    same = [m for m in pool if m[1] == domain] or pool
    lines = [first] + [rng.choice(same)[2] for _ in range(rng.randint(1, 3))]
    return split, "\n".join(lines)


def sources(rng, pools, langs, long_text):
    """An endless stream of (split, text) of the wanted length class."""
    while True:
        lang = rng.choice(langs)
        pool = pools[lang]
        if long_text and rng.random() < 0.5:
            split, text = paragraph(rng, pool)
            if len(text) > 400:
                continue
        else:
            split, _, text, _ = rng.choice(pool)
        has_script = any(SCRIPT_TEST[lang](c) for c in text)
        if has_script and (len(text) >= 10) == long_text:
            yield split, text


def make_escape_cases(rng, pools, langs, name, encode, out):
    for long_text, wanted in ((True, LONG_PER_PATH // 2), (False, SHORT_PER_PATH // 2)):
        made = tries = 0
        stream = sources(rng, pools, langs, long_text)
        while made < wanted and tries < wanted * 50:
            tries += 1
            split, text = next(stream)
            try:
                escaped = encode(text)
            except UnicodeError:
                continue
            if escaped != text:
                out.append((split, "escape:" + name, "python", text, escaped))
                made += 1


def path_name(layers):
    return "|".join(f"{w}>{r}" for w, r in layers)


def make_cases(rng, pools, langs, layers, out):
    for long_text, wanted in ((True, LONG_PER_PATH), (False, SHORT_PER_PATH)):
        made = tries = 0
        stream = sources(rng, pools, langs, long_text)
        while made < wanted and tries < wanted * 50:
            tries += 1
            split, text = next(stream)
            tool = "iconv" if rng.random() < 0.5 else "python"
            garbled = garble(text, layers, tool)
            if garbled is None:
                continue
            out.append((split, path_name(layers), tool, text, garbled))
            made += 1


def clean_cases(rng, pools, out):
    for kind in CLEAN_KINDS:
        for k in range(CLEAN_PER_KIND):
            if kind == "mixed":
                # A translation beside its English original, as in bilingual documents.
                split, _, text, original = rng.choice(pools[rng.choice(["zh_CN", "zh_TW", "ja"])])
                text = f"{original} {text}" if k % 2 else f"{text}（{original}）"
                if len(text) > 400:
                    continue
            elif kind == "en":
                split, _, text, _ = rng.choice(pools["en"])
            elif k % 2:
                split, text = paragraph(rng, pools[kind])
            else:
                split, _, text, _ = rng.choice(pools[kind])
            out.append((split, "clean/" + kind, "-", text, text))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--locale-dir", default="/usr/share/locale")
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "cases.tsv"))
    args = parser.parse_args()
    rng = random.Random(SEED)
    pools = {lang: load_messages(args.locale_dir, lang)
             for lang in ["zh_CN", "zh_TW", "ja", "ko", "ru"]}
    # English: the original messages of the Chinese catalogs that are plain ASCII.
    pools["en"] = [(s, d, o, o) for s, d, _, o in pools["zh_CN"] if o.isascii() and usable(o)]
    cases = []
    for langs, written, read in ONE_LAYER:
        make_cases(rng, pools, langs, [(written, read)], cases)
    for langs, first, second in TWO_LAYERS:
        make_cases(rng, pools, langs, [first, second], cases)
    for langs, name, encode in ESCAPES:
        make_escape_cases(rng, pools, langs, name, encode, cases)
    clean_cases(rng, pools, cases)
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write("# split\tpath\ttool\toriginal\tgarbled  (made by make_corpus.py)\n")
        for split, path, tool, original, garbled in cases:
            f.write("\t".join([split, path, tool, escape(original), escape(garbled)]) + "\n")
    print(f"{len(cases)} cases written to {args.out}")


if __name__ == "__main__":
    main()
