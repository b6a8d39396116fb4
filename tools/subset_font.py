#!/usr/bin/env python3
"""Cuts one face out of an installed font collection down to the characters of the window's own
texts (every non-ASCII character in the given source files, plus printable ASCII) and renames it,
so that the window can register the small file beside the installed face without the two being
taken for one another. Hinting and the usual layout features stay as in the installed face."""
import argparse

from fontTools import subset
from fontTools.ttLib import TTCollection


def face_index(collection_path, family):
    collection = TTCollection(collection_path, lazy=True)
    for index, face in enumerate(collection.fonts):
        if face["name"].getDebugName(1) == family:
            return index
    raise SystemExit(f"{collection_path} holds no face of the family {family!r}")


def window_characters(paths):
    # Qt draws the ellipsis of an elided text and no-break spaces itself. The accented letters of
    # Latin-1 make fontconfig take the face as covering English, and so Qt as a Latin face: one
    # font engine of it then draws both the Latin and the Chinese runs, where it made one each.
    characters = {chr(code) for code in range(0x20, 0x7F)} | {"\u00a0", "\u2026"}
    characters |= {chr(code) for code in range(0xC0, 0x100)}
    for path in paths:
        with open(path, encoding="utf-8") as source:
            characters.update(c for c in source.read() if ord(c) > 0x7F)
    return "".join(sorted(characters))


def rename(font, old_family, new_family):
    style = font["name"].getDebugName(2)
    for record in font["name"].names:
        if record.nameID == 6:
            record.string = f"{new_family.replace(' ', '')}-{style}"
        else:
            record.string = record.toUnicode().replace(old_family, new_family)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("collection", help="the installed .ttc")
    parser.add_argument("family", help="the face to take from it, e.g. 'Noto Serif CJK SC'")
    parser.add_argument("new_family", help="the subset's own family name")
    parser.add_argument("output")
    parser.add_argument("texts", nargs="+", help="files whose characters the subset keeps")
    arguments = parser.parse_args()

    options = subset.Options()
    options.font_number = face_index(arguments.collection, arguments.family)
    font = subset.load_font(arguments.collection, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=window_characters(arguments.texts))
    subsetter.subset(font)
    rename(font, arguments.family, arguments.new_family)
    subset.save_font(font, arguments.output, options)


if __name__ == "__main__":
    main()
