#!/usr/bin/python3
"""The manual names only what the program shows: every text it quotes (a
button, tab, box or list entry) is a text of the program's own source, taken
as the screen shows it (without the "&" of an access key, or a label's
closing colon). Arguments: the manual's source text, then the source folders
of the program's windows. Prints each quoted text they lack and exits 1 if
any."""
import os
import re
import sys


def shown_texts(folders):
    texts = set()
    literal = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
    for top, _, files in (walked for folder in folders for walked in os.walk(folder)):
        for name in files:
            if name.endswith((".cpp", ".h")):
                with open(os.path.join(top, name), encoding="utf-8") as f:
                    for text in literal.findall(f.read()):
                        shown = text.replace("&&", "\0").replace("&", "").replace("\0", "&")
                        texts.add(shown)
                        texts.add(re.sub(r"\s*:$", "", shown))
    return texts


def main():
    manual, folders = sys.argv[1], sys.argv[2:]
    with open(manual, encoding="utf-8") as f:
        # Lines join into paragraphs, as the manual's builder joins them.
        text = " ".join(line.strip() for line in f)
    known = shown_texts(folders)
    missing = sorted({q for q in re.findall(r'"([^"]+)"', text) if q not in known})
    for q in missing:
        print("the manual names \"%s\", which the program does not show" % q)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
