#!/usr/bin/env python3
"""Every catalogue in translations/ is complete and sound:

- lupdate over the program's folders (as scripts/update-translations.sh runs it) changes
  nothing in it: no text of the program is missing from it, none it holds is no longer used;
- no translation is unfinished or empty;
- each translation has the placeholders of its source (%1 to %99, %n) and as many & mnemonics.

    check_catalogues.py SOURCE_DIR
"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

PLACEHOLDER = re.compile(r"%(?:\d{1,2}|n)")


# An & before a blank is the sign itself ("Program & Size"), as && is, not a mnemonic.
def mnemonics(text):
    return len(re.findall(r"&(?!\s)", text.replace("&&", "")))


def translations(message):
    translation = message.find("translation")
    forms = translation.findall("numerusform")
    return translation, [form.text or "" for form in forms] if forms else [translation.text or ""]


def problems_of(catalogue):
    found = []
    for context in ElementTree.parse(catalogue).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            where = "%s: %r" % (name, source)
            translation, texts = translations(message)
            if translation.get("type") == "unfinished" or not all(texts):
                found.append("%s is not translated" % where)
                continue
            for text in texts:
                if sorted(PLACEHOLDER.findall(text)) != sorted(PLACEHOLDER.findall(source)):
                    found.append("%s: placeholders differ in %r" % (where, text))
                if mnemonics(text) != mnemonics(source):
                    found.append("%s: & mnemonics differ in %r" % (where, text))
    return found


def main():
    root = sys.argv[1]
    catalogues = sorted(glob.glob(os.path.join(root, "translations", "kivmanager_*.ts")))
    if not catalogues:
        sys.exit("no catalogue in %s/translations" % root)
    failed = False
    with tempfile.TemporaryDirectory() as work:
        for catalogue in catalogues:
            copy = os.path.join(work, os.path.basename(catalogue))
            shutil.copy(catalogue, copy)
            subprocess.run([os.path.join(root, "scripts", "update-translations.sh"), copy],
                           check=True)
            problems = problems_of(catalogue)
            with open(catalogue, "rb") as kept, open(copy, "rb") as updated:
                if kept.read() != updated.read():
                    problems.insert(0, "out of date with the program's texts: run "
                                       "scripts/update-translations.sh and translate what it "
                                       "leaves unfinished")
            for problem in problems:
                print("%s: %s" % (os.path.basename(catalogue), problem))
            failed = failed or bool(problems)
            print("%s: %d problems" % (os.path.basename(catalogue), len(problems)))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
