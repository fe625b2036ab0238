#!/usr/bin/env python3
"""Self-test of the catalog check: a complete fixture catalog passes, and each
case breaks one thing in a copy of it, which the check must report.

usage: selftest.py CASE   (selftest.py --list names the cases)
"""

import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURE = os.path.join(HERE, "fixture")
CHECK = os.path.join(HERE, "..", "..", "tools", "check-catalog.sh")

# name: (text in good.po, its replacement, what the check must say; None: passes)
CASES = {
    "complete": ("", "", None),
    "untranslated": ('msgstr "Datei %s geöffnet"', 'msgstr ""', "untranslated: "),
    "untranslated_plural_form": ('msgstr[1] "%d Scheine"', 'msgstr[1] ""', "untranslated: "),
    "fuzzy": ('#, c-format\nmsgid "File %s opened"', '#, fuzzy, c-format\nmsgid "File %s opened"', "fuzzy: "),
    "fuzzy_header": ('msgid ""\nmsgstr ""\n"Project', '#, fuzzy\nmsgid ""\nmsgstr ""\n"Project',
                     "header is still marked fuzzy"),
    "wrong_placeholder": ('"Datei %s geöffnet"', '"Datei %d geöffnet"', "placeholders differ in msgstr:"),
    "lost_placeholder": ('"Datei %s geöffnet"', '"Datei geöffnet"', "placeholders differ in msgstr:"),
    "positional_types_swapped": ('"%2$d von %3$d Reihen: %1$s"', '"%2$s von %3$d Reihen: %1$d"',
                                 "placeholders differ in msgstr:"),
    "positional_lost": ('"%2$d von %3$d Reihen: %1$s"', '"%2$d von %2$d Reihen: %1$s"',
                        "placeholders differ in msgstr:"),
    "plural_form_placeholder": ('msgstr[1] "%d Reihen"', 'msgstr[1] "viele Reihen"',
                                "placeholders differ in msgstr[1]:"),
    "plain_text_gains_placeholder": ('"Richtige Tipps\\n"', '"Richtige Tipps %s\\n"', "placeholders differ"),
    "lost_mnemonic": ('"Ö&ffnen...', '"Öffnen...', "mnemonics (&) differ"),
    "extra_mnemonic": ('"Ö&ffnen...', '"Ö&ff&nen...', "mnemonics (&) differ"),
    "lost_line_break": ('"Richtige Tipps\\n"\n"der Reihe"', '"Richtige Tipps der Reihe"', "line breaks differ"),
    "lost_tab": ('\\tStrg+O"', ' Strg+O"', "tabs differ"),
    # The source gained a text since the catalog was merged.
    "new_text_in_source": ('#: src/gui/Sample.cpp\n#, c-format\nmsgid "File %s opened"\nmsgstr "Datei %s geöffnet"\n',
                           "", "missing (the source has it"),
    # The catalog still holds a text the source changed.
    "stale_template": ('msgid "File %s opened"', 'msgid "File %s loaded"', "stale (the catalog has it"),
}


def run(name):
    old, new, expected = CASES[name]
    with open(os.path.join(FIXTURE, "good.po"), encoding="utf-8") as f:
        text = f.read()
    if old:
        if text.count(old) != 1:
            print(f"case {name}: {old!r} is not found exactly once in good.po")
            return 1
        text = text.replace(old, new)
    with tempfile.TemporaryDirectory() as tmp:
        catalog = os.path.join(tmp, "de.po")
        with open(catalog, "w", encoding="utf-8") as f:
            f.write(text)
        result = subprocess.run(["bash", CHECK, catalog, FIXTURE], capture_output=True, text=True)
    output = result.stdout + result.stderr
    print(output)
    if expected is None:
        ok = result.returncode == 0 and output.rstrip().endswith(": ok")
    else:
        ok = result.returncode == 1 and expected in output
    print(f"case {name}: {'as expected' if ok else 'NOT as expected'}"
          f" (exit {result.returncode}, wanted {'0' if expected is None else '1 and ' + repr(expected)})")
    return 0 if ok else 1


if __name__ == "__main__":
    if sys.argv[1:] == ["--list"]:
        print(";".join(CASES))
        sys.exit(0)
    sys.exit(run(sys.argv[1]))
