#!/usr/bin/env python3
"""Builds data/Microfich.txt, the help-text file of the program, from the texts of
tools/textes-aide/NN.txt (UTF-8, one file per record number NN).

The file is made of records of exactly 10000 bytes in Windows-1252: record k starts
at byte (k - 1) * 10000 and holds the explanation of the page or window whose code
is k. Lines are ended by CR LF and the record is padded with blanks; a number with
no text file gives a blank record.

    python3 tools/microfich.py            # writes data/Microfich.txt
    python3 tools/microfich.py --check    # fails when data/Microfich.txt is not up to date
"""
import pathlib
import sys

RECORD = 10000
ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = ROOT / "tools" / "textes-aide"
TARGET = ROOT / "data" / "Microfich.txt"


def record(path: pathlib.Path) -> bytes:
    text = path.read_text(encoding="utf-8").replace("\r\n", "\n").rstrip("\n")
    try:
        data = text.replace("\n", "\r\n").encode("cp1252")
    except UnicodeEncodeError as e:
        bad = text[e.start:e.end]
        sys.exit(f"{path.name} : caractère hors Windows-1252 {bad!r} à la position {e.start}")
    if len(data) > RECORD:
        sys.exit(f"{path.name} : {len(data)} octets, plus que les {RECORD} d'un enregistrement")
    return data.ljust(RECORD, b" ")


def build() -> bytes:
    texts = {}
    for path in sorted(SOURCES.glob("*.txt")):
        if not path.stem.isdigit() or int(path.stem) < 1:
            sys.exit(f"{path.name} : le nom doit être le numéro de l'enregistrement")
        texts[int(path.stem)] = record(path)
    last = max(texts)
    return b"".join(texts.get(k, b" " * RECORD) for k in range(1, last + 1))


def main() -> None:
    data = build()
    if "--check" in sys.argv[1:]:
        if not TARGET.exists() or TARGET.read_bytes() != data:
            sys.exit(f"{TARGET} n'est pas à jour : lancez python3 tools/microfich.py")
        return
    TARGET.write_bytes(data)
    print(f"{TARGET} : {len(data) // RECORD} enregistrements")


if __name__ == "__main__":
    main()
