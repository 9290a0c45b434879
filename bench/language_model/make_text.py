#!/usr/bin/env python3
"""Gathers the running text the character language model is trained on from this machine's
Debian packages.

Training text (OUT/train/GROUP/SOURCE/LANG.txt, one segment a line):
  gettext-1..3  the translated messages of /usr/share/locale, split by catalog into three folds
                (English: the message ids)
  reference     the Debian reference manual (debian-reference-*)
  handbook      the Debian administrator's handbook (debian-handbook)
  help          the GNOME help pages (gnome-user-docs)
  words         spelling dictionaries (hunspell-*) and the Rime pinyin dictionary: words only

Usage: make_text.py OUT
"""

import glob
import hashlib
import html
import os
import re
import struct
import sys
import unicodedata

# Script groups: each language, and the folders the packages keep it in.
GROUPS = {
    "zh_hans": ["zh_CN", "zh_Hans", "zh_SG"],
    "zh_hant": ["zh_TW", "zh_HK", "zh_Hant"],
    "ja": ["ja"],
    "ko": ["ko"],
    "cyrl": ["ru", "uk", "bg", "be", "sr", "mk", "kk"],
    "grek": ["el"],
    "west": ["en", "de", "fr", "es", "it", "pt", "pt_BR", "nl", "sv", "da", "nb", "fi", "ca",
             "gl", "id", "af", "eu"],
    "cent": ["pl", "cs", "sk", "hu", "sl", "hr", "ro", "tr", "lt", "lv", "et"],
    "he": ["he"],
    "ar": ["ar", "fa"],
    "th": ["th"],
    "vi": ["vi"],
}
LANG_GROUP = {lang: group for group, langs in GROUPS.items() for lang in langs}

# The script a group's own letters belong to; lines of a non-Latin group need some of them.
SCRIPT = {
    "zh_hans": lambda c: "\u4e00" <= c <= "\u9fff",
    "zh_hant": lambda c: "\u4e00" <= c <= "\u9fff",
    "ja": lambda c: "\u3040" <= c <= "\u30ff" or "\u4e00" <= c <= "\u9fff",
    "ko": lambda c: "\uac00" <= c <= "\ud7a3",
    "cyrl": lambda c: "\u0400" <= c <= "\u04ff",
    "grek": lambda c: "\u0370" <= c <= "\u03ff",
    "he": lambda c: "\u0590" <= c <= "\u05ff",
    "ar": lambda c: "\u0600" <= c <= "\u06ff",
    "th": lambda c: "\u0e00" <= c <= "\u0e7f",
}


def fold_of(name):
    return "gettext-%d" % (int(hashlib.md5(name.encode()).hexdigest(), 16) % 3 + 1)


def clean_line(line):
    line = unicodedata.normalize("NFC", line)
    line = "".join(c for c in line if c == "\t" or (c >= " " and c != "\x7f"))
    return re.sub(r"[ \t\u00a0]+", " ", line).strip()


def wanted(group, line):
    if len(line) < 2 or "\ufffd" in line:
        return False
    test = SCRIPT.get(group)
    if test is None:
        return any(c.isalpha() for c in line)
    letters = [c for c in line if c.isalpha()]
    return letters and sum(1 for c in letters if test(c)) * 5 >= len(letters)


def read_mo(path):
    data = open(path, "rb").read()
    if len(data) < 20:
        return []
    magic = struct.unpack("<I", data[:4])[0]
    order = "<" if magic == 0x950412DE else ">"
    _, count, originals, translations = struct.unpack(order + "4I", data[4:20])
    pairs = []
    for i in range(count):
        n1, o1 = struct.unpack(order + "2I", data[originals + 8 * i: originals + 8 * i + 8])
        n2, o2 = struct.unpack(order + "2I", data[translations + 8 * i: translations + 8 * i + 8])
        pairs.append((data[o1:o1 + n1], data[o2:o2 + n2]))
    return pairs


def gettext_lines(lang):
    """(source, line) of every catalog of a language; English: the message ids of all."""
    dirs = GROUPS["zh_hans"] + ["ru", "de", "ja"] if lang == "en" else [lang]
    seen = set()
    for folder in dirs:
        for path in sorted(glob.glob(f"/usr/share/locale/{folder}/LC_MESSAGES/*.mo")):
            domain = os.path.basename(path)[:-3]
            pairs = read_mo(path)
            header = dict(pairs).get(b"", b"").decode("ascii", "replace")
            charset = re.search(r"charset=([-\w]+)", header)
            charset = charset.group(1) if charset else "utf-8"
            for msgid, msgstr in pairs:
                if not msgid:
                    continue
                try:
                    texts = (msgid if lang == "en" else msgstr).decode(charset).split("\0")
                except (LookupError, UnicodeError):
                    continue
                for text in texts:
                    for line in text.split("\n"):
                        line = clean_line(line)
                        if line and (lang != "en" or line not in seen):
                            seen.add(line)
                            yield fold_of(domain), line


def markup_lines(data):
    data = re.sub(r"(?is)<(script|style|head)\b.*?</\1>", " ", data)
    data = re.sub(r"(?i)<br\s*/?>|</(p|div|li|td|th|h\d|title|dt|dd|pre|tr|item)>", "\n", data)
    data = re.sub(r"<[^>]*>", "", data)
    for line in html.unescape(data).split("\n"):
        line = clean_line(line)
        if line:
            yield line


def file_lines(pattern):
    for path in sorted(glob.glob(pattern, recursive=True)):
        with open(path, encoding="utf-8", errors="replace") as f:
            yield from markup_lines(f.read())


REFERENCE = {"zh_CN": "zh-cn", "zh_TW": "zh-tw", "ja": "ja", "en": "en", "de": "de", "fr": "fr",
             "es": "es", "it": "it", "pt": "pt"}
HANDBOOK = {"zh_CN": "zh-CN", "zh_TW": "zh-TW", "ja": "ja-JP", "ko": "ko-KR", "ru": "ru-RU",
            "el": "el-GR", "en": "en-US", "de": "de-DE", "fr": "fr-FR", "es": "es-ES",
            "it": "it-IT", "pt_BR": "pt-BR", "nl": "nl-NL", "nb": "nb-NO", "sv": "sv-SE",
            "da": "da-DK", "ca": "ca-ES", "id": "id-ID", "cs": "cs-CZ", "pl": "pl-PL",
            "hr": "hr-HR", "ro": "ro-RO", "tr": "tr-TR", "ar": "ar-MA", "fa": "fa-IR",
            "vi": "vi-VN"}
HELP = {"en": "C"}


def document_lines(lang):
    if lang in REFERENCE:
        yield from (("reference", line) for line in
                    file_lines(f"/usr/share/debian-reference/*.{REFERENCE[lang]}.html"))
    if lang in HANDBOOK:
        yield from (("handbook", line) for line in
                    file_lines(f"/usr/share/doc/debian-handbook/html/{HANDBOOK[lang]}/*.html"))
    folder = HELP.get(lang, lang)
    yield from (("help", line) for line in file_lines(f"/usr/share/help/{folder}/**/*.page"))


HUNSPELL = {"en": "en_US", "de": "de_DE", "fr": "fr", "es": "es_ES", "pl": "pl_PL",
            "cs": "cs_CZ", "hu": "hu_HU", "ru": "ru_RU", "uk": "uk_UA", "bg": "bg_BG",
            "el": "el_GR", "ko": "ko_KR"}


def word_lines(lang):
    if lang in HUNSPELL:
        dic = f"/usr/share/hunspell/{HUNSPELL[lang]}.dic"
        aff = dic[:-4] + ".aff"
        if os.path.exists(dic):
            charset = "utf-8"
            if os.path.exists(aff):
                with open(aff, "rb") as f:
                    found = re.search(rb"^SET\s+(\S+)", f.read(), re.M)
                    if found:
                        charset = found.group(1).decode()
            with open(dic, encoding=charset, errors="replace") as f:
                next(f, None)
                for line in f:
                    word = clean_line(line.split("/")[0].split("\t")[0])
                    if word:
                        yield "words", word
    if lang == "zh_TW":
        path = "/usr/share/rime-data/luna_pinyin.dict.yaml"
        if os.path.exists(path):
            with open(path, encoding="utf-8") as f:
                body = False
                for line in f:
                    body = body or line.startswith("...")
                    if body and not line.startswith(("#", "...")):
                        word = clean_line(line.split("\t")[0])
                        if len(word) >= 2:
                            yield "words", word


def write_training(out):
    for group, langs in GROUPS.items():
        for lang in langs:
            files = {}
            for source, line in [*gettext_lines(lang), *document_lines(lang), *word_lines(lang)]:
                if not wanted(group, line):
                    continue
                if source not in files:
                    folder = os.path.join(out, "train", group, source)
                    os.makedirs(folder, exist_ok=True)
                    files[source] = open(os.path.join(folder, lang + ".txt"), "w",
                                         encoding="utf-8")
                files[source].write(line + "\n")
            for f in files.values():
                f.close()


def write_lines(path, lines):
    if not lines:
        return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write("".join(line + "\n" for line in dict.fromkeys(lines)))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    write_training(sys.argv[1])


if __name__ == "__main__":
    main()
