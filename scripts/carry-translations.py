#!/usr/bin/env python3
"""Carries translations over to texts that lupdate left unfinished.

lupdate keys a message by its context (the class that shows it) and its source text. When a
class is renamed, or a text moves to another class, lupdate marks the old message vanished and
adds the same text again, unfinished, under its new context: the translation is lost although
the text did not change. Run after lupdate (without -no-obsolete, so that the vanished
messages are still there to learn from), this fills each unfinished message from a finished
translation of the same text (same source, disambiguation and plural kind) in the same file:
first from the vanished ones, the message's likely former self, then from any other context
when all of them agree. It reports what it carried and what is still unfinished.

    scripts/carry-translations.py [--drop-obsolete] translations/glinter_de.ts ...

--drop-obsolete then removes the vanished messages, as `lupdate -no-obsolete` would.
"""

import argparse
import sys
import xml.etree.ElementTree as ET

GONE = {"vanished", "obsolete"}


def key(message):
    comment = message.find("comment")
    return (
        message.findtext("source", ""),
        comment.text if comment is not None else "",
        message.get("numerus") == "yes",
    )


def translation_of(message):
    """The message's translation as a tuple of its forms, or None while it has none."""
    translation = message.find("translation")
    if translation is None or translation.get("type") == "unfinished":
        return None
    if message.get("numerus") == "yes":
        forms = tuple(form.text or "" for form in translation.findall("numerusform"))
    else:
        forms = (translation.text or "",)
    return forms if forms and all(forms) else None


def is_gone(message):
    translation = message.find("translation")
    return translation is not None and translation.get("type") in GONE


def agreed(candidates):
    """The one translation all candidates give, or None when there are none or they differ."""
    distinct = set(candidates)
    return distinct.pop() if len(distinct) == 1 else None


def fill(message, forms):
    translation = message.find("translation")
    if message.get("numerus") == "yes":
        slots = translation.findall("numerusform")
        if len(slots) != len(forms):
            return False
        for slot, form in zip(slots, forms):
            slot.text = form
    else:
        translation.text = forms[0]
    translation.attrib.pop("type", None)
    return True


def carry(path, drop_obsolete):
    tree = ET.parse(path)
    root = tree.getroot()
    messages = [(context, message) for context in root.findall("context") for message in context.findall("message")]

    former = {}
    current = {}
    for _, message in messages:
        forms = translation_of(message)
        if forms is not None:
            (former if is_gone(message) else current).setdefault(key(message), []).append(forms)

    carried = 0
    unfinished = []
    for context, message in messages:
        translation = message.find("translation")
        if translation is None or translation.get("type") != "unfinished":
            continue
        forms = agreed(former.get(key(message), [])) or agreed(current.get(key(message), []))
        if forms is not None and fill(message, forms):
            carried += 1
        else:
            unfinished.append((context.findtext("name", ""), message.findtext("source", "")))

    if drop_obsolete:
        for context in root.findall("context"):
            for message in context.findall("message"):
                if is_gone(message):
                    context.remove(message)
            if context.find("message") is None:
                root.remove(context)

    ET.indent(tree, space="    ")
    with open(path, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        out.write(ET.tostring(root, encoding="unicode"))
        out.write("\n")

    print(f"{path}: carried {carried}, unfinished {len(unfinished)}")
    for context, source in unfinished:
        print(f"  {context}: {source}")
    return len(unfinished)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--drop-obsolete", action="store_true", help="remove vanished messages afterwards")
    parser.add_argument("files", nargs="+", metavar="FILE.ts")
    arguments = parser.parse_args()
    for path in arguments.files:
        carry(path, arguments.drop_obsolete)
    return 0


if __name__ == "__main__":
    sys.exit(main())
