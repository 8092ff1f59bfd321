#!/usr/bin/env python3
"""Writes the seed corpora in fuzz/corpus/ for the two fuzz targets.

The targets read their input through libFuzzer's FuzzedDataProvider: strings from the front (a
string ends at a backslash followed by any other byte; a doubled backslash is one backslash),
integers from the back, most significant byte last in the file. The seeds here are window states
and typing sessions a person would produce, so the fuzzer starts from the interesting places.
Run it after changing the input layout of a target; the corpora are committed.
"""

import hashlib
import os
import sys

INT_MIN = -(2**31)
INT_MAX = 2**31 - 1


class Input:
    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in the order the target consumes it

    def string(self, value, limit=None):
        if isinstance(value, str):
            value = value.encode("utf-8")
        assert limit is None or len(value) <= limit
        self.front += value.replace(b"\\", b"\\\\")
        if limit is None or len(value) < limit:
            self.front += b"\\n"

    def integral(self, value, lo, hi):
        span = hi - lo
        count = 0
        while count < 8 and (span >> (8 * count)) > 0:
            count += 1
        offset = value - lo
        assert 0 <= offset <= span
        self.back += offset.to_bytes(count, "big") if count else b""

    def byte(self, value):
        self.integral(value, 0, 255)

    def data(self):
        return bytes(self.front) + bytes(reversed(self.back))


# ---- command_fuzzer -----------------------------------------------------------------------

QUOTED = ["Edit03", "Edit04", "Edit05", "Edit06", "Edit07", "Edit08", "ComboBox5", "Edit01",
          "Edit02"]
UNQUOTED = ["Edit09", "Edit11", "Edit12", "Edit13", "Edit14", "Edit15", "ComboBox1", "ComboBox2",
            "ComboBox3", "ComboBox4", "ComboBox6", "ComboBox7"]
INITIAL_TEXT = {
    "Edit03": "<title>", "Edit04": "<artist>", "Edit05": "<album>", "Edit06": "<year>",
    "Edit07": "<additional info>", "Edit08": "<track number>", "ComboBox5": "<genre>",
    "Edit01": "", "Edit02": "", "Edit09": "1", "Edit11": "", "Edit12": "", "Edit13": "auto",
    "Edit14": "auto", "Edit15": "", "ComboBox1": "auto", "ComboBox2": "auto",
    "ComboBox3": "auto", "ComboBox4": "auto", "ComboBox6": "-X0", "ComboBox7": "auto",
}
INITIAL_CHECKED = [5, 9, 12, 13, 20, 21, 22, 24, 25]
RADIO_ITEMS = [3, 6, 3, 3]


def command(a="", b="", texts=None, checked=INITIAL_CHECKED, radios=(0, 0, 0, 1),
            sliders=(4, 2), wild_radios=None):
    """wild_radios: index -> any int, passed as an arbitrary (possibly invalid) index."""
    texts = dict(INITIAL_TEXT, **(texts or {}))
    seed = Input()
    seed.string(a)
    seed.string(b)
    mask = 0
    for number in checked:
        mask |= 1 << (number - 1)
    seed.integral(mask, 0, 2**32 - 1)
    for group, index in enumerate(radios):
        if wild_radios and group in wild_radios:
            seed.byte(0xF0)
            seed.integral(wild_radios[group], INT_MIN, INT_MAX)
        else:
            seed.byte(index)
    for position in sliders:
        seed.integral(position, INT_MIN, INT_MAX)
    for name in QUOTED + UNQUOTED:
        seed.string(texts[name])
    return seed.data()


def tags(title, artist, album, year, comment, track, genre):
    return dict(zip(QUOTED[:7], [title, artist, album, year, comment, track, genre]))


ALL_BOXES = list(range(1, 26))
PATHS = {"Edit01": "/home/me/Music/in.wav", "Edit02": "/home/me/Music/out.mp3"}

COMMAND_SEEDS = {
    "initial": command(texts=PATHS),
    "initial-empty-paths": command(),
    "windows-paths": command(texts={"Edit01": "C:\\My Music\\in put.wav",
                                    "Edit02": "D:\\out dir\\"}),
    "paths-with-quotes": command(texts={"Edit01": 'say "hi".wav', "Edit02": '\\"\\\\"\\'}),
    "paths-tab-nul": command(texts={"Edit01": "a\tb\x00c", "Edit02": " "}),
    "tags-typed": command(checked=INITIAL_CHECKED + [1], texts=dict(PATHS, **tags(
        "Ace of Spades", "Motörhead", 'Live "at" \\ home', "1980", "", "3/12", "Rock"))),
    "tags-placeholders": command(checked=INITIAL_CHECKED + [1], texts=PATHS),
    "tags-hard": command(checked=INITIAL_CHECKED + [1], texts=dict(PATHS, **tags(
        "\\", '"', '\\"', "<year>", "\t", " a  b ", "R&B"))),
    "vbr": command(radios=(1, 2, 0, 1), sliders=(0, 9), texts=dict(PATHS, ComboBox1="44.1 kHz")),
    "abr-22k": command(radios=(2, 5, 1, 2), texts=dict(PATHS, ComboBox1="22.05 kHz",
                                                        ComboBox3="64")),
    "abr-auto": command(radios=(2, 0, 0, 0), texts=dict(PATHS, ComboBox1="48 kHz")),
    "cbr-48k-320": command(texts=dict(PATHS, ComboBox1="48 kHz", ComboBox2="320")),
    "all-checked": command(checked=ALL_BOXES, radios=(0, 4, 2, 2),
                           texts=dict(PATHS, ComboBox6="-X7", ComboBox7="2", Edit15="3.5")),
    "none-checked": command(checked=[], radios=(0, 3, 0, 0), texts=PATHS),
    "filters": command(checked=[5, 10, 11, 12, 13, 20, 21, 22, 24, 25],
                       texts=dict(PATHS, Edit11="0.1", Edit12="0.05", Edit13="16",
                                  Edit14="2", ComboBox6="-X3")),
    "unquoted-blanks": command(checked=INITIAL_CHECKED + [1, 8], texts=dict(
        PATHS, Edit09="1 2", ComboBox1="44.1  kHz", ComboBox7=" 1\t", Edit15="",
        **tags("t", "a", "l", "y", "c", "n", "g"))),
    "unquoted-backslashes": command(checked=INITIAL_CHECKED + [1], texts=dict(
        PATHS, Edit09="\\", ComboBox1="x\\", ComboBox4="\\\\", Edit13="--tt")),
    "unquoted-quote": command(checked=INITIAL_CHECKED + [1], texts=dict(
        PATHS, Edit09='0.5"', **tags("a b", "c", "d", "e", "f", "g", "h"))),
    "wild-radios-sliders": command(wild_radios={0: -1, 1: 6, 2: INT_MIN, 3: INT_MAX},
                                   sliders=(INT_MIN, INT_MAX), texts=PATHS),
    "roundtrip-blanks": command(a="a b", b="\t"),
    "roundtrip-backslashes": command(a="\\\\", b='\\"'),
    "roundtrip-quotes": command(a='"', b='""'),
    "roundtrip-empty": command(a="", b="x\\"),
}

# ---- dropdown_fuzzer ----------------------------------------------------------------------

DROPDOWNS = ["ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6",
             "ComboBox7"]
GROUPS = ["RadioGroup1", "RadioGroup2", "RadioGroup3", "RadioGroup4"]
EDITS = ["Edit01", "Edit02", "Edit03", "Edit04", "Edit05", "Edit06", "Edit07", "Edit08", "Edit09",
         "Edit11", "Edit12", "Edit13", "Edit14", "Edit15"]


def key(seed, character):
    """One key as consumeKey reads it: ASCII directly, any other character by code point."""
    code = ord(character)
    if code < 0x80:
        seed.byte(code)
    else:
        seed.byte(0xC0)
        if code >= 0xE000:
            code -= 0x800
        seed.integral(code, 0x80, 0x10FFFF - 0x800)


END = 0xE0  # an offset far past any text, clamped to its end


def offset(seed, value):
    seed.byte(value)  # below 0xE0 and inside the text: the value itself


def entry_index(seed, index, count):
    if 0 <= index < 0x80 and index <= count:
        seed.byte(index)
    else:
        seed.byte(0xF0)
        seed.integral(index, INT_MIN, INT_MAX)


class Session:
    """A person's session for the EventWiring half; every control used must be usable."""

    def __init__(self):
        self.seed = Input()
        self.seed.byte(1)

    def _dropdown(self, name, start=0, length=0, caret=0):
        self.seed.integral(DROPDOWNS.index(name), 0, 6)
        for value in (start, length, caret):
            offset(self.seed, value)

    def type(self, name, text, start=0, length=0, caret=0):
        for i, character in enumerate(text):
            if i == 0:
                self._dropdown(name, start, length, caret)
            else:  # where the previous completion left the selection
                self._dropdown(name, start + len(text[:i].encode("utf-8")), END, END)
            self.seed.integral(0, 0, 6)
            key(self.seed, character)
        return self

    def backspace(self, name, start=0, length=0, caret=0):
        self._dropdown(name, start, length, caret)
        self.seed.integral(1, 0, 6)
        return self

    def pick(self, name, index, count):
        self._dropdown(name)
        self.seed.integral(2, 0, 6)
        entry_index(self.seed, index, count)
        return self

    def paste(self, name, text):
        self._dropdown(name)
        self.seed.integral(3, 0, 6)
        self.seed.string(text, 32)
        return self

    def click(self, number):
        self._dropdown("ComboBox1")
        self.seed.integral(4, 0, 6)
        self.seed.integral(number, 1, 25)
        return self

    def edit(self, name, text):
        self._dropdown("ComboBox1")
        self.seed.integral(5, 0, 6)
        self.seed.integral(EDITS.index(name), 0, 13)
        self.seed.string(text, 16)
        return self

    def select(self, group, index, items):
        self._dropdown("ComboBox1")
        self.seed.integral(6, 0, 6)
        self.seed.integral(GROUPS.index(group), 0, 3)
        self.seed.integral(index, 0, items - 1)
        return self

    def data(self):
        return self.seed.data()


SAMPLE_RATES = ["auto", "16 kHz", "22.05 kHz", "24 kHz", "32 kHz", "44.1 kHz", "48 kHz"]


def typing(items_source, text, steps, entry=-1, items=None):
    """DropDownTyping on its own. steps: (kind, start, length, caret, argument)."""
    seed = Input()
    seed.byte(0)
    seed.integral(items_source, 0, 2)
    if items_source == 2:
        seed.integral(len(items), 0, 8)
        for item in items:
            seed.string(item, 24)
    count = {0: len(SAMPLE_RATES), 1: 147, 2: len(items or [])}[items_source]
    seed.string(text, 64)
    seed.integral(entry, -1, count - 1)
    for kind, start, length, caret, argument in steps:
        for value in (start, length, caret):
            offset(seed, value)
        seed.integral({"type": 0, "backspace": 1, "pick": 2}[kind], 0, 2)
        if kind == "type":
            key(seed, argument)
        elif kind == "pick":
            entry_index(seed, argument, count)
    return seed.data()


def typed(text, start=0, length=0, caret=0):
    """Typing text with the caret left where each completion leaves it."""
    return [("type", start, length, caret, text[0])] + [
        ("type", start + len(text[:i].encode("utf-8")), END, END, c)
        for i, c in enumerate(text[1:], 1)]


DROPDOWN_SEEDS = {
    "typing-44": typing(0, "auto", typed("44", 0, 4, 4)),
    "typing-case": typing(0, "", typed("AUTO")),
    "typing-genre": typing(1, "", typed("hea") + [("backspace", 2, 0, 2, None)] +
                           typed("z", 2, 0, 2)),
    "typing-genre-pick": typing(1, "Rock", [("pick", 0, 0, 0, 17), ("pick", 0, 0, 0, 147),
                                            ("pick", 0, 0, 0, -1)], entry=17),
    "typing-utf8": typing(2, "é", typed("éa", 0, 2, 2) + [("backspace", 3, 0, 3, None)],
                          items=["éa", "Öl", "日本語", ""]),
    "typing-invalid-utf8": typing(2, b"\xa9x\xc3", [("type", 0, 0, 0, "z"),
                                                    ("backspace", 3, 1, 3, None)],
                                  items=[b"\xa9xz", b"\xc3\xa9\xa9"]),
    "typing-out-of-range": typing(0, "48 kHz", [("type", 7, 0xE5, 0xEF, "4"),
                                                ("backspace", 0xEF, 0, END, None)], entry=6),
    "typing-empty-list": typing(2, "abc", typed("d", 1, 1, 1), items=[]),
    "session-rates": Session().type("ComboBox1", "4", 0, 4, 4).type("ComboBox1", "8", 1, END, 1)
    .pick("ComboBox1", 2, 7).data(),
    "session-vbr": Session().select("RadioGroup1", 1, 3).type("ComboBox1", "3", 0, 4, 4)
    .select("RadioGroup1", 2, 3).pick("ComboBox4", 3, 19).data(),
    "session-bitrate": Session().type("ComboBox1", "16", 0, 4, 4).type("ComboBox3", "1", 0, 4, 4)
    .backspace("ComboBox3", 0, 0, END).paste("ComboBox3", "100").data(),
    "session-tags": Session().click(1).type("ComboBox5", "ja", 0, 7, 7).pick("ComboBox5", 8, 147)
    .click(1).data(),
    "session-ath": Session().click(6).click(5).click(5).type("ComboBox7", "1", 0, 4, 4)
    .click(8).data(),
    "session-bandwidth": Session().click(9).click(10).edit("Edit11", "0.5").click(14).click(14)
    .click(12).edit("Edit13", "16").click(9).data(),
    "session-blocks": Session().click(21).click(22).click(21).data(),
    "session-quality": Session().type("ComboBox6", "-x5", 0, 3, 3).paste("ComboBox6", "-X9")
    .data(),
    "session-paste": Session().paste("ComboBox1", "44.1 kHz").paste("ComboBox1", "").type(
        "ComboBox1", "2", 0, 0, 0).data(),
}


def write(folder, seeds):
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    write(os.path.join(root, "command_fuzzer"), COMMAND_SEEDS)
    write(os.path.join(root, "dropdown_fuzzer"), DROPDOWN_SEEDS)
    print(f"{len(COMMAND_SEEDS)} + {len(DROPDOWN_SEEDS)} seeds written under {root}")


if __name__ == "__main__":
    sys.exit(main())
