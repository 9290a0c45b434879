#!/usr/bin/python3
"""Inputs for the qor-cli benchmarks.

eng_gb.txt: GBK text read as Windows-1252 and saved as UTF-8 (what `qor-cli apply Eng--GB`
repairs), lines of 10 to 40 characters, SIZE megabytes. Characters whose GBK bytes Windows-1252
leaves undefined (81, 8D, 8F, 90, 9D) are left out, so that iconv can take the same path.

lines.txt: 40-character lines of running Chinese text, a tenth of them garbled (UTF-8 read as
GBK or GBK read as Windows-1252), COUNT lines. The text comes from the Chinese messages of the
gettext catalogs installed (the language model learned from them too: a measure of speed, not
of accuracy); without them, from random common characters, which read as no language and so
take the diagnosis's whole search on every line.
"""
import gettext
import glob
import random
import sys

UNDEFINED = set(b"\x81\x8d\x8f\x90\x9d")


def han():
    chars = []
    for lead in range(0xB0, 0xD8):
        for trail in range(0xA1, 0xFF):
            try:
                c = bytes([lead, trail]).decode("gbk")
            except UnicodeDecodeError:
                continue
            if not UNDEFINED.intersection(c.encode("gbk")):
                chars.append(c)
    return chars


def line(rng, chars, length):
    return "".join(rng.choice(chars) if rng.random() < 0.8 else " " for _ in range(length))


def eng_gb(path, megabytes, rng, chars):
    size = 0
    with open(path, "w", encoding="utf-8") as out:
        while size < megabytes * 1000 * 1000:
            text = line(rng, chars, rng.randint(10, 40)) + " id=%d" % rng.randint(0, 99999)
            garbled = text.encode("gbk").decode("cp1252") + "\n"
            out.write(garbled)
            size += len(garbled.encode("utf-8"))


def gbk_safe(c):
    """Whether GBK writes a character in bytes that Windows-1252 reads, as the garbling needs."""
    try:
        return not UNDEFINED.intersection(c.encode("gbk"))
    except UnicodeEncodeError:
        return False


def message_text():
    """The Chinese messages of the installed gettext catalogs that hold ten ideographs or more,
    without the characters the garbling cannot take."""
    text = []
    for name in sorted(glob.glob("/usr/share/locale/zh_CN/LC_MESSAGES/*.mo")):
        try:
            with open(name, "rb") as f:
                catalog = gettext.GNUTranslations(f)._catalog
        except (OSError, UnicodeDecodeError):
            continue
        for message in catalog.values():
            if isinstance(message, str) and sum(ord(c) >= 0x4E00 for c in message) >= 10:
                text.append("".join(c for c in " ".join(message.split()) if gbk_safe(c)))
    return "".join(text)


def lines(path, count, rng, chars):
    running = message_text()
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for k in range(count):
            if len(running) > 4000:
                start = rng.randrange(len(running) - 40)
                text = running[start:start + 40]
            else:
                text = line(rng, chars, 40)
            if k % 10 == 0:
                if rng.random() < 0.5:
                    text = text.encode("utf-8").decode("gbk", errors="replace")
                else:
                    text = text.encode("gbk").decode("cp1252")
            out.write(text + "\n")


def main():
    folder, megabytes, count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(16)
    chars = han()
    eng_gb(folder + "/eng_gb.txt", megabytes, rng, chars)
    lines(folder + "/lines.txt", count, rng, chars)


if __name__ == "__main__":
    main()
