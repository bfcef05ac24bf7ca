#!/usr/bin/env python3
"""Writes the key-code table of a Swedish keyboard: scripts/sample/skarpin/skarpin.key.

One line per character code 0-255 of code page 1252, six hexadecimal fields separated by ", ": the
keyboard's key bytes (0x80 | key number) that type the character, 0x40 before a key held while the
next is typed, 0 after the last. Characters the layout does not type have a line of zeros.
Run it after changing the layout below; the table is committed beside the sample settings.
"""
import os

HOLD = 0x40
SHIFT = 44   # left Shift
ALTGR = 62   # right Alt


def key(number):
    return 0x80 | number


# The Swedish layout by key number: (plain, with Shift, with AltGr); None where the key types nothing.
# Accent keys are marked "dead:" and type their accent only with the next key.
LAYOUT = {
    1: ("§", "½", None),
    2: ("1", "!", None), 3: ("2", '"', "@"), 4: ("3", "#", "£"), 5: ("4", "¤", "$"), 6: ("5", "%", None),
    7: ("6", "&", None), 8: ("7", "/", "{"), 9: ("8", "(", "["), 10: ("9", ")", "]"), 11: ("0", "=", "}"),
    12: ("+", "?", "\\"), 13: ("dead:´", "dead:`", None),
    17: ("q", "Q", None), 18: ("w", "W", None), 19: ("e", "E", "€"), 20: ("r", "R", None),
    21: ("t", "T", None), 22: ("y", "Y", None), 23: ("u", "U", None), 24: ("i", "I", None),
    25: ("o", "O", None), 26: ("p", "P", None), 27: ("å", "Å", None), 28: ("dead:¨", "dead:^", "dead:~"),
    31: ("a", "A", None), 32: ("s", "S", None), 33: ("d", "D", None), 34: ("f", "F", None),
    35: ("g", "G", None), 36: ("h", "H", None), 37: ("j", "J", None), 38: ("k", "K", None),
    39: ("l", "L", None), 40: ("ö", "Ö", None), 41: ("ä", "Ä", None), 42: ("'", "*", None),
    45: ("<", ">", "|"),
    46: ("z", "Z", None), 47: ("x", "X", None), 48: ("c", "C", None), 49: ("v", "V", None),
    50: ("b", "B", None), 51: ("n", "N", None), 52: ("m", "M", "µ"), 53: (",", ";", None),
    54: (".", ":", None), 55: ("-", "_", None),
}

# Keys that type a control character or a blank.
SINGLE = {"\b": 15, "\t": 16, "\r": 43, "\x1b": 110, " ": 61}

# What an accent key makes of the letter typed after it.
ACCENTED = {
    "´": {"a": "á", "e": "é", "i": "í", "o": "ó", "u": "ú", "y": "ý",
          "A": "Á", "E": "É", "I": "Í", "O": "Ó", "U": "Ú", "Y": "Ý"},
    "`": {"a": "à", "e": "è", "i": "ì", "o": "ò", "u": "ù", "A": "À", "E": "È", "I": "Ì", "O": "Ò", "U": "Ù"},
    "^": {"a": "â", "e": "ê", "i": "î", "o": "ô", "u": "û", "A": "Â", "E": "Ê", "I": "Î", "O": "Ô", "U": "Û"},
    "¨": {"e": "ë", "i": "ï", "u": "ü", "y": "ÿ", "E": "Ë", "I": "Ï", "U": "Ü", "Y": "Ÿ"},
    "~": {"a": "ã", "n": "ñ", "o": "õ", "A": "Ã", "N": "Ñ", "O": "Õ"},
}


def build():
    rows = {}
    strokes = {}  # character -> bytes of the keys that type it
    for number, layers in LAYOUT.items():
        for layer, text in enumerate(layers):
            if text is None:
                continue
            held = [] if layer == 0 else [HOLD, key(SHIFT if layer == 1 else ALTGR)]
            sequence = held + [key(number)]
            if text.startswith("dead:"):
                accent = text[len("dead:"):]
                # The accent alone: the accent key, then Space.
                strokes.setdefault("dead " + accent, sequence)
                rows[accent] = sequence + [key(SINGLE[" "])]
            else:
                rows[text] = sequence
    for text, number in SINGLE.items():
        rows[text] = [key(number)]
    for accent, letters in ACCENTED.items():
        for letter, result in letters.items():
            rows[result] = strokes["dead " + accent] + rows[letter]
    table = [[0] * 6 for _ in range(256)]
    for text, sequence in rows.items():
        code = text.encode("cp1252")[0]
        assert len(sequence) <= 6, text
        table[code][:len(sequence)] = sequence
    return table


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = os.path.join(root, "scripts", "sample", "skarpin", "skarpin.key")
    lines = [", ".join("%x" % value for value in row) for row in build()]
    with open(path, "wb") as out:
        out.write(("\r\n".join(lines) + "\r\n").encode("ascii"))
    print(path)


if __name__ == "__main__":
    main()
