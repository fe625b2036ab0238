#!/usr/bin/env python3
"""Checks a translation catalog against the template of the current source.

usage: check-po.py --template POT CATALOG.po

Fails (exit 1, one line per fault) when msgfmt --check rejects the catalog, an
entry is untranslated or fuzzy, the catalog's texts differ from the template's,
or a translation changes the printf placeholders, the line breaks, the tabs or
the number of '&' mnemonics of its English text.
"""

import argparse
import re
import subprocess
import sys

ESCAPES = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\", "a": "\a", "b": "\b", "f": "\f", "v": "\v"}


def unquote(text):
    body = text.strip()
    if len(body) < 2 or body[0] != '"' or body[-1] != '"':
        raise ValueError("not a quoted string: " + text)
    return re.sub(r'\\(.)', lambda m: ESCAPES.get(m.group(1), m.group(1)), body[1:-1])


class Entry:
    def __init__(self):
        self.flags = set()
        self.fields = {}  # msgctxt, msgid, msgid_plural, msgstr, msgstr[0], ...
        self.obsolete = False
        self.line = 0

    @property
    def key(self):
        return (self.fields.get("msgctxt"), self.fields.get("msgid"), self.fields.get("msgid_plural"))

    def translations(self):
        """(form, text, English text it must agree with)"""
        if "msgid_plural" not in self.fields:
            return [("msgstr", self.fields.get("msgstr", ""), self.fields["msgid"])]
        forms = sorted((k for k in self.fields if k.startswith("msgstr[")), key=lambda k: int(k[7:-1]))
        return [(k, self.fields[k], self.fields["msgid"] if k == "msgstr[0]" else self.fields["msgid_plural"])
                for k in forms]


def read_po(path):
    entries, entry, field = [], Entry(), None

    def finish():
        nonlocal entry, field
        if "msgid" in entry.fields:
            entries.append(entry)
        entry, field = Entry(), None

    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if line.startswith("#~"):
                entry.obsolete = True
                line = line[2:].lstrip()
                if not line or line.startswith(("#", "|")):
                    continue
            elif line.startswith("#,"):
                if field is not None and field.startswith("msgstr"):
                    finish()
                entry.flags.update(flag.strip() for flag in line[2:].split(","))
                continue
            elif line.startswith("#") or not line.strip():
                if field is not None and field.startswith("msgstr"):
                    finish()
                continue
            match = re.match(r'(msgctxt|msgid_plural|msgid|msgstr(?:\[\d+\])?)\s+(".*")$', line)
            if match:
                name = match.group(1)
                if name in ("msgctxt", "msgid") and field is not None and field.startswith("msgstr"):
                    finish()
                if not entry.line:
                    entry.line = number
                field = name
                entry.fields[name] = unquote(match.group(2))
            elif line.startswith('"') and field is not None:
                entry.fields[field] += unquote(line)
            else:
                raise ValueError(f"{path}:{number}: cannot read: {line}")
    finish()
    return entries


PLACEHOLDER = re.compile(r"%(?:(\d+)\$)?[-+ #0']*(?:\d+|\*)?(?:\.(?:\d+|\*))?((?:hh|h|ll|l|L|q|j|z|t)?[diouxXeEfFgGaAcspn%])")
# Outside c-format texts only plain placeholders count: "50 % de" is no "% d".
PLAIN_PLACEHOLDER = re.compile(r"%(?:(\d+)\$)?((?:l|ll|z)?[diouxXfgsc])")


def placeholders(text, pattern):
    """Sorted (position, conversion) pairs; unnumbered ones take 1, 2, ... in order."""
    found, index = [], 0
    for m in pattern.finditer(text):
        if m.group(2) == "%":
            continue
        index += 1
        found.append((int(m.group(1)) if m.group(1) else index, m.group(2)))
    return sorted(found)


def mnemonics(text):
    return text.replace("&&", "").count("&")


def describe(entry):
    return repr(entry.fields["msgid"])


def check(catalog, template):
    faults = []
    result = subprocess.run(["msgfmt", "--check", "--statistics", "-o", "/dev/null", catalog],
                            capture_output=True, text=True)
    print(result.stderr.strip() or result.stdout.strip())
    if result.returncode != 0:
        faults.append("msgfmt --check rejects the catalog")

    entries = read_po(catalog)
    header = [e for e in entries if e.fields["msgid"] == "" and not e.obsolete]
    if not header:
        faults.append("no header entry")
    elif "fuzzy" in header[0].flags:
        faults.append("the header is still marked fuzzy")
    live = [e for e in entries if e.fields["msgid"] != "" and not e.obsolete]

    wanted = {e.key for e in read_po(template) if e.fields["msgid"] != "" and not e.obsolete}
    have = {e.key for e in live}
    for key in sorted(wanted - have, key=str):
        faults.append(f"missing (the source has it, the catalog not; run tools/update-po.sh): {key[1]!r}")
    for key in sorted(have - wanted, key=str):
        faults.append(f"stale (the catalog has it, the source not; run tools/update-po.sh): {key[1]!r}")

    for e in live:
        where = f"line {e.line}: {describe(e)}"
        if "fuzzy" in e.flags:
            faults.append(f"fuzzy: {where}")
        pattern = PLACEHOLDER if "c-format" in e.flags else PLAIN_PLACEHOLDER
        for form, text, english in e.translations():
            if text == "":
                faults.append(f"untranslated: {where}")
                continue
            if placeholders(text, pattern) != placeholders(english, pattern):
                faults.append(f"placeholders differ in {form}: {where} -> {text!r}")
            if text.count("\n") != english.count("\n"):
                faults.append(f"line breaks differ in {form}: {where} -> {text!r}")
            if text.count("\t") != english.count("\t"):
                faults.append(f"tabs differ in {form}: {where} -> {text!r}")
            if mnemonics(text) != mnemonics(english):
                faults.append(f"mnemonics (&) differ in {form}: {where} -> {text!r}")
    return faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--template", required=True)
    parser.add_argument("catalog")
    args = parser.parse_args()
    faults = check(args.catalog, args.template)
    for fault in faults:
        print(f"{args.catalog}: {fault}")
    print(f"{args.catalog}: {'FAILED, ' + str(len(faults)) + ' fault(s)' if faults else 'ok'}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
