#!/usr/bin/env python3
"""Writes the hand-made seed inputs of fuzz/corpus/ from the readable list below.

An input is a header, then events. Header: a flags byte (1: the settings store is read-only,
2: the start-up timer ticks at once, bits 2-4: how many settings values are stored before the
window loads, 32: large work, one roll of 32767 plain dice, allowed), a face count (0-32) and that many 16-bit little-endian faces; with no faces, a
draw count (0-16) and that many 16-bit draws (n/65536). Then the stored values: a key byte
and a counted value each. A counted value is a length byte and that many bytes.

Main-window events: 0-9 . digits; ~ % * / + - = operators (* is x, / is the divide key, ~ is
+/-); C R m M memory keys MC MR M- M+; A E All Clear and Clear Entry; f x e t l n h i u v y b w r
the dice keys d4 ... worst and reroll; ! @ # $ ^ & the six programmable keys, P Program; p the
tape toggle; k a timer tick; D a double click; s KEY VALUE stores a value; L LoadCustom;
g KEY VALUE stores a value, loads the keys and clicks that key; o toggles the store read-only;
q closes the main window. While the programming window shows: 0-5 pick a key; P Program;
X CANCEL; q close; c TEXT / l TEXT / h TEXT edit the caption, command line and help boxes;
D double click. Any other byte stands for one event in turn.
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent


def counted(data):
    data = data.encode() if isinstance(data, str) else data
    assert len(data) < 256
    return bytes([len(data)]) + data


def seed(events=b"", faces=(), draws=None, ready=True, read_only=False, stored=(), large=False):
    events = events.encode() if isinstance(events, str) else events
    flags = (1 if read_only else 0) | (2 if ready else 0) | (len(stored) << 2) | (32 if large else 0)
    out = bytes([flags, len(faces)]) + b"".join(struct.pack("<h", f) for f in faces)
    if not faces:
        draws = draws or []
        out += bytes([len(draws)]) + b"".join(struct.pack("<H", d) for d in draws)
    for key, value in stored:
        out += bytes([key]) + counted(value)
    return out + events


SEEDS = {
    "digits": seed("123.45"),
    "point-first": seed(".5%7.0.0."),
    "arithmetic-precedence": seed("2+3*4="),
    "divide-by-zero": seed("5/0=E"),
    "percent-and-sign": seed("200+10%=5~~"),
    "fourteenth-digit-overflows": seed("12345678901234k"),
    "result-overflows-then-timer": seed("9999999999999*9999999999999=k"),
    "exponent-display": seed("123456789*1000000000000=*5="),
    "memory-keys": seed("5M3mRCM.25MR"),
    "memory-during-banner": seed("M3mR", ready=False),
    "clear-keys": seed("12+3E4=A"),
    "banner-then-keys": seed("7+k", ready=False),
    "banner-dice": seed("x", faces=(3,), ready=False),
    "plain-dice-faces": seed("3x", faces=(4, 2, 6)),
    "every-plain-die-draws": seed("2f2x2e2t2l2n2h", draws=(0, 65535, 32768, 12345)),
    "three-d6-groups": seed("2i", faces=(1, 2, 3, 4, 5, 6)),
    "fudge-groups": seed("2u", faces=(-1, 0, 1, -1, 1)),
    "average-dice": seed("6v", faces=(1, 2, 3, 4, 5, 6)),
    "xdn": seed("4y8y", draws=(40000, 1000)),
    "xdn-negative-sides": seed("3y5~y", draws=(50000,)),
    "best-worst": seed("4x3bw", faces=(6, 2, 5, 1)),
    "best-before-any-roll": seed("3bw"),
    "reroll": seed("r3xr.5r", faces=(2, 5)),
    "fractional-count": seed("2.5x.5i", faces=(3,)),
    "largest-plain-roll": seed("99999x3b", draws=(30000, 60000, 10), large=True),
    "largest-fudge-roll": seed("32767u", draws=(30000, 60000, 10), large=True),
    "extreme-faces": seed("3x2i", faces=(-32768, 32767, 0)),
    "tape": seed("p3x+2=4iAp", faces=(1, 2, 3)),
    "double-click": seed("D5D"),
    "stored-keys-at-load": seed("!@#$", faces=(2,), stored=((0, "Fire,3x+2="), (1, "NoComma"), (2, "Big," + "9" * 200),
                                                            (3, "Zero,0"))),
    "set-and-load": seed(b"s\x03" + counted("Bolt,2e") + b"L$"),
    "program-and-click": seed(b"g\x00" + counted("Heal,2f+1=") + b"!!", draws=(20000,)),
    "utf8-command": seed(b"g\x01" + counted(b"3\xc3\x97\xff2=\xe2\x80\xa6\xc3\xb7") + b"@"),
    "caption-program": seed(b"g\x00" + counted("Program,3x") + b"1c" + counted("Bolt") + b"P!"),
    "programming-window": seed(b"3x+2=P2c" + counted("Fire,ball") + b"P#", faces=(1, 2, 3)),
    "programming-cancel-reopen": seed(b"5P1XP3P$"),
    "programming-close": seed(b"7Pq8P"),
    "programming-read-only": seed(b"5+1=P0c" + counted("Foo") + b"P!", read_only=True),
    "read-only-toggle": seed(b"oP0Po2P2P@"),
    "programming-edit-command": seed(b"P4l" + counted("9~f=") + b"P^", draws=(100,)),
    "programming-edit-help": seed(b"Ph" + counted(b"\xff\xfe,") + b"DX"),
    "programming-input-ends": seed(b"9P5"),
    "unload-with-tape-on": seed("p5xq", faces=(1,)),
}


def main():
    corpus = HERE / "corpus"
    corpus.mkdir(exist_ok=True)
    for name, data in SEEDS.items():
        (corpus / name).write_bytes(data)
    print(f"{len(SEEDS)} seeds written to {corpus}")


if __name__ == "__main__":
    main()
