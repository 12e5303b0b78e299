#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the shipped dictionaries and romaji table before they go out.

Applies roman.dat the way the game's loader does (rule after rule, each one a
plain replace-all over the whole text of each dictionary, in file order), with
the NN option off and on, and makes sure that every reading turns into keys a
player can type while every shown text, title and block line stays as it was.

Usage: python3 check_data.py [folder]   (default: the folder of this script)
Exit status 0 when everything passes, 1 otherwise.
"""
import os
import re
import sys

CRLF = "\r\n"
HEADER = "[CopipeName="
END = "[END]"
TYPABLE = re.compile(r"[A-Z0-9 \-,.!?()\[\]]+")
# What a reading may be written with before conversion.
READING_SOURCE = re.compile(r"[\u3041-\u3096ー、。！？（）0-9 ]+")
HIRAGANA = re.compile(r"[\u3041-\u309f]")

NN_PROTECT = [("NNN", "N%"), ("NNA", "A%"), ("NNI", "I%"), ("NNU", "U%"),
              ("NNE", "E%"), ("NNO", "O%"), ("NNY", "Y%")]
NN_RESTORE = [("N%", "NNN"), ("A%", "NNA"), ("I%", "NNI"), ("U%", "NNU"),
              ("E%", "NNE"), ("O%", "NNO"), ("Y%", "NNY")]

MIN_WORDS = 600
MIN_THEMED_WORDS, MIN_THEMED_LISTS = 300, 5
MIN_COPIPE = 8
MIN_COPIPE_TOTAL = 30
MIN_RANKING = 3
MIN_LINES, MAX_LINES = 4, 20


class Report:
    def __init__(self):
        self.errors = []

    def error(self, where, msg):
        self.errors.append(f"{where}: {msg}")


def read_text(folder, name, rep):
    """Reads a file as code page 932 and checks its line ends."""
    path = os.path.join(folder, name)
    try:
        raw = open(path, "rb").read()
    except OSError as e:
        rep.error(name, f"cannot read ({e})")
        return None
    try:
        text = raw.decode("cp932")
    except UnicodeDecodeError as e:
        rep.error(name, f"not valid Shift-JIS ({e})")
        return None
    if not text.endswith(CRLF):
        rep.error(name, "last line does not end with CR LF")
    stripped = text.replace(CRLF, "")
    if "\r" in stripped or "\n" in stripped:
        rep.error(name, "holds a bare CR or LF")
    return text


def lines_of(text):
    """The pieces cut at every CR LF, without the piece after the last one."""
    return text.split(CRLF)[:-1]


def parse_rules(text, rep):
    rules = []
    for no, line in enumerate(lines_of(text), 1):
        if ":" not in line:
            rep.error(f"roman.dat line {no}", "blank or without ':'")
            continue
        parts = line.split(":")
        if len(parts) != 2:
            rep.error(f"roman.dat line {no}", "more than one ':'")
        find, put = parts[0], parts[1]
        if not find:
            rep.error(f"roman.dat line {no}", "empty find side")
        if not TYPABLE.fullmatch(put):
            rep.error(f"roman.dat line {no}", f"replacement {put!r} is not typable uppercase")
        rules.append((find, put))
    if not rules or rules[0] != ("NN", "NN"):
        rep.error("roman.dat line 1", "must be NN:NN")
    # A rule below a shorter rule that it contains can never fire in full.
    for j, (fj, _) in enumerate(rules):
        for i in range(j):
            fi = rules[i][0]
            if fi and fi != "NN" and fi in fj:
                rep.error("roman.dat", f"rule {fj!r} (line {j + 1}) stands below {fi!r} (line {i + 1})")
                break
    finds = [f for f, _ in rules]
    for f in set(finds):
        if finds.count(f) > 1:
            rep.error("roman.dat", f"find side {f!r} appears twice")
    return rules


def convert(text, rules, nn2n):
    for find, put in rules:
        if find:
            text = text.replace(find, put)
    if nn2n:
        for find, put in NN_PROTECT:
            text = text.replace(find, put)
        text = text.replace("NN", "N")
        for find, put in NN_RESTORE:
            text = text.replace(find, put)
    return text


def decode_char_codes(encoded):
    """Reverses the text, splits at '#', skips piece 0, each piece is a code."""
    out = []
    for piece in encoded[::-1].split("#")[1:]:
        if not re.fullmatch(r"-?[0-9]+", piece):
            raise ValueError(f"piece {piece!r} is not a number")
        code = int(piece)
        if 0 <= code <= 255:
            out.append(bytes([code]).decode("cp932"))
        elif -32768 <= code <= 65535:
            code &= 0xFFFF
            out.append(bytes([code >> 8, code & 0xFF]).decode("cp932"))
        else:
            raise ValueError(f"code {code} out of range")
    return "".join(out)


def encode_char_codes(text):
    codes = []
    for ch in text:
        b = ch.encode("cp932")
        codes.append(b[0] if len(b) == 1 else (b[0] << 8) | b[1])
    return "".join(f"#{c}" for c in codes)[::-1]


def check_entry(where, line, rep):
    """Checks one unconverted entry line; returns (shown, reading) or None."""
    if ":" not in line:
        rep.error(where, "blank or without ':'")
        return None
    parts = line.split(":")
    if len(parts) != 2:
        rep.error(where, "more than one ':'")
    shown, reading = parts[0], parts[1]
    if not shown:
        rep.error(where, "empty shown text")
    if HIRAGANA.search(shown):
        rep.error(where, f"shown text {shown!r} holds hiragana")
    if not READING_SOURCE.fullmatch(reading):
        rep.error(where, f"reading {reading!r} holds characters other than hiragana, punctuation, digits, space")
    elif reading != reading.strip(" ") or "  " in reading:
        rep.error(where, f"reading {reading!r} has stray spaces")
    return shown, reading


def check_converted_entry(where, before, after, rep):
    if ":" not in after:
        rep.error(where, f"converted line lost its ':': {after!r}")
        return
    shown_b = before.split(":")[0]
    shown_a, roman = after.split(":")[0], after.split(":")[1]
    if shown_a != shown_b:
        rep.error(where, f"shown text changed by the rules: {shown_b!r} -> {shown_a!r}")
    if not TYPABLE.fullmatch(roman):
        rep.error(where, f"reading {before.split(':')[1]!r} converts to untypable {roman!r}")


def parse_blocks(name, text, rep, with_name):
    """Splits a copipe or ranking file into blocks; reports text outside them."""
    blocks = []
    lines = lines_of(text)
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.startswith(HEADER):
            rep.error(f"{name} line {i + 1}", f"text outside a block: {line!r}")
            i += 1
            continue
        if not line.endswith("]") or line.count("]") != 1:
            rep.error(f"{name} line {i + 1}", "header must end with its only ']'")
        title = line[len(HEADER):-1]
        start = i
        i += 1
        body = []
        while i < len(lines) and not lines[i].startswith(END) and not lines[i].startswith(HEADER):
            body.append((i, lines[i]))
            i += 1
        if i >= len(lines) or not lines[i].startswith(END):
            rep.error(f"{name} line {start + 1}", f"block {title!r} has no [END] line")
            continue
        if lines[i] != END:
            rep.error(f"{name} line {i + 1}", "[END] line carries more text")
        i += 1
        blocks.append((start, title, body))
    titles = [t for _, t, _ in blocks]
    for t in set(titles):
        if titles.count(t) > 1:
            rep.error(name, f"title {t!r} used twice")
    for start, title, body in blocks:
        where = f"{name} block {title!r}"
        if not title:
            rep.error(where, "empty title")
        if HIRAGANA.search(title):
            rep.error(where, "title holds hiragana")
        entries = body[1:] if with_name else body
        if with_name and not body:
            rep.error(where, "no registration name line")
        if not MIN_LINES <= len(entries) <= MAX_LINES:
            rep.error(where, f"{len(entries)} entry lines, want {MIN_LINES} to {MAX_LINES}")
        for no, line in entries:
            check_entry(f"{name} line {no + 1}", line, rep)
    return blocks


def cut_block(text, title):
    """The loader's way of cutting one named text out of the whole file text."""
    start = text.find(HEADER + title + "]")
    if start < 0:
        return None
    end = text.find(END, start)
    if end < 0:
        return None
    body = text[start + len(HEADER) + len(title) + 3:end]  # past "]" and CR LF
    return body.split(CRLF)[:-1]


def check_dictionary_pair(name, before, after, blocks, rep, with_name):
    lb, la = lines_of(before), lines_of(after)
    if len(lb) != len(la):
        rep.error(name, "conversion changed the number of lines")
        return
    for start, title, body in blocks:
        if la[start] != lb[start]:
            rep.error(f"{name} line {start + 1}", f"header changed to {la[start]!r}")
        caption = la[start][12:-1]
        pieces = cut_block(after, caption)
        expected = [la[no] for no, _ in body]
        if pieces != expected:
            rep.error(f"{name} block {title!r}", "cutting the block by its caption does not give its lines")
        entries = body
        if with_name and body:
            no, enc = body[0]
            if la[no] != enc:
                rep.error(f"{name} line {no + 1}", "registration name changed by the rules")
            entries = body[1:]
        for no, line in entries:
            check_converted_entry(f"{name} line {no + 1}", line, la[no], rep)
    for no, (b, a) in enumerate(zip(lb, la)):
        if b.startswith(END) and a != b:
            rep.error(f"{name} line {no + 1}", "[END] changed by the rules")


def check_word_list(name, text, rules, rep, minimum):
    """Checks one word dictionary; returns its number of words."""
    word_lines = lines_of(text)
    parsed = []
    for no, line in enumerate(word_lines, 1):
        entry = check_entry(f"{name} line {no}", line, rep)
        if entry:
            parsed.append(entry)
    shown = [s for s, _ in parsed]
    for s in sorted(set(shown)):
        if shown.count(s) > 1:
            rep.error(name, f"{s!r} appears {shown.count(s)} times")
    if len(word_lines) < minimum:
        rep.error(name, f"{len(word_lines)} words, want at least {minimum}")
    for nn2n in (False, True):
        tag = " (NN2N on)" if nn2n else ""
        converted = lines_of(convert(text, rules, nn2n))
        if len(converted) != len(word_lines):
            rep.error(name + tag, "conversion changed the number of lines")
            continue
        for no, (b, a) in enumerate(zip(word_lines, converted), 1):
            check_converted_entry(f"{name}{tag} line {no}", b, a, rep)
    return len(word_lines)


def shipped(folder, suffix, default):
    """The default dictionary first, then the other files of that kind by name."""
    others = sorted(n for n in os.listdir(folder) if n.endswith(suffix) and n != default)
    return [default] + others


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    rep = Report()
    roman = read_text(folder, "roman.dat", rep)
    ranking = read_text(folder, "tokira.rls", rep)
    word_files = {n: read_text(folder, n, rep) for n in shipped(folder, ".qls", "tokira.qls")}
    copipe_files = {n: read_text(folder, n, rep) for n in shipped(folder, ".cls", "tokira.cls")}
    if None in (roman, ranking) or None in word_files.values() or None in copipe_files.values():
        return finish(rep, {})

    rules = parse_rules(roman, rep)

    words = {}
    for name, text in word_files.items():
        minimum = MIN_WORDS if name == "tokira.qls" else MIN_THEMED_WORDS
        words[name] = check_word_list(name, text, rules, rep, minimum)
    if len(words) - 1 < MIN_THEMED_LISTS:
        rep.error("word lists", f"{len(words) - 1} themed lists, want at least {MIN_THEMED_LISTS}")

    copipe = {}
    titles = {}
    for name, text in copipe_files.items():
        blocks = parse_blocks(name, text, rep, with_name=False)
        copipe[name] = [(t, len(b)) for _, t, b in blocks]
        # A text's best-ten table is named after its title, whatever file holds it.
        for _, title, _ in blocks:
            if title in titles and titles[title] != name:
                rep.error(name, f"title {title!r} is also used in {titles[title]}")
            titles.setdefault(title, name)
        for nn2n in (False, True):
            tag = " (NN2N on)" if nn2n else ""
            check_dictionary_pair(name + tag, text, convert(text, rules, nn2n), blocks, rep, False)
    if len(copipe["tokira.cls"]) < MIN_COPIPE:
        rep.error("tokira.cls", f"{len(copipe['tokira.cls'])} texts, want at least {MIN_COPIPE}")
    total = sum(len(b) for b in copipe.values())
    if total < MIN_COPIPE_TOTAL:
        rep.error("copipe dictionaries", f"{total} texts in all, want at least {MIN_COPIPE_TOTAL}")

    ranking_blocks = parse_blocks("tokira.rls", ranking, rep, with_name=True)
    if len(ranking_blocks) < MIN_RANKING:
        rep.error("tokira.rls", f"{len(ranking_blocks)} texts, want at least {MIN_RANKING}")
    names = []
    for _, title, body in ranking_blocks:
        if not body:
            continue
        enc = body[0][1]
        try:
            decoded = decode_char_codes(enc)
        except (ValueError, UnicodeDecodeError) as e:
            rep.error(f"tokira.rls block {title!r}", f"registration name does not decode ({e})")
            continue
        if not decoded:
            rep.error(f"tokira.rls block {title!r}", "registration name decodes to nothing")
        elif encode_char_codes(decoded) != enc:
            rep.error(f"tokira.rls block {title!r}", "registration name is not in canonical form")
        names.append((title, decoded))
    for nn2n in (False, True):
        tag = " (NN2N on)" if nn2n else ""
        check_dictionary_pair("tokira.rls" + tag, ranking, convert(ranking, rules, nn2n), ranking_blocks, rep, True)

    counts = {
        "rules": len(rules),
        "words": words,
        "copipe": copipe,
        "ranking": [(t, len(b) - 1) for _, t, b in ranking_blocks],
        "names": names,
    }
    return finish(rep, counts)


def finish(rep, counts):
    if counts:
        print(f"roman.dat:  {counts['rules']} rules")
        for name, n in counts["words"].items():
            print(f"{name}: {n} words")
        for name, texts in counts["copipe"].items():
            print(f"{name}: {len(texts)} texts")
            for title, n in texts:
                print(f"  {title}: {n} lines")
        print(f"tokira.rls: {len(counts['ranking'])} texts")
        names = dict(counts["names"])
        for title, n in counts["ranking"]:
            print(f"  {title}: {n} lines, name {names.get(title, '?')!r}")
    if rep.errors:
        for e in rep.errors:
            print("ERROR", e)
        print(f"FAILED: {len(rep.errors)} problem(s)")
        return 1
    print("OK: every reading converts to typable romaji, NN2N off and on")
    return 0


if __name__ == "__main__":
    sys.exit(main())
