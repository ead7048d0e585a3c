#!/usr/bin/env python3
"""Writes a Lexiwren word file as a KVTML 2.0 vocabulary, the format the
desktop trainers that learners would pick instead open:

    kvtml.py WORDS.txt OUT.kvtml

Every record becomes one entry with two translations, English (the word and
the example sentence) and Japanese (the meaning and the example's meaning),
all in one lesson; the answer counters become the English side's grade
(times asked, times wrong). Only the standard library."""
import sys
from xml.sax.saxutils import escape

HEAD = """<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE kvtml PUBLIC "kvtml2.dtd" "http://edu.kde.org/kvtml/kvtml2.dtd">
<kvtml version="2.0">
 <information>
  <generator>Lexiwren benchmarks</generator>
  <title>Lexiwren words</title>
 </information>
 <identifiers>
  <identifier id="0">
   <name>English</name>
   <locale>en</locale>
  </identifier>
  <identifier id="1">
   <name>日本語</name>
   <locale>ja</locale>
  </identifier>
 </identifiers>
"""


def records(data):
    """(word, meaning, example, example meaning, asked, correct) per line."""
    for line in data.decode("cp932").split("\r\n"):
        if not line:
            break
        fields = line.split(",")
        fields += [""] * (7 - len(fields))
        word, mean, example, example_mean, _part, asked, correct = fields[:7]
        yield word, mean, example, example_mean, int(asked or 0), int(correct or 0)


def translation(index, text, example, grade=""):
    out = f'   <translation id="{index}">\n    <text>{escape(text)}</text>\n'
    if example:
        out += f"    <example>{escape(example)}</example>\n"
    return out + grade + "   </translation>\n"


def kvtml(data):
    parts = [HEAD, " <entries>\n"]
    count = 0
    for word, mean, example, example_mean, asked, correct in records(data):
        grade = ""
        if asked:
            grade = (f"    <grade>\n     <currentgrade>{min(correct, 7)}</currentgrade>\n"
                     f"     <count>{asked}</count>\n     <errorcount>{asked - correct}</errorcount>\n"
                     "    </grade>\n")
        parts.append(f'  <entry id="{count}">\n')
        parts.append(translation(0, word, example, grade))
        parts.append(translation(1, mean, example_mean))
        parts.append("  </entry>\n")
        count += 1
    parts.append(" </entries>\n <lessons>\n  <container>\n   <name>Lesson 1</name>\n"
                 "   <inpractice>true</inpractice>\n")
    parts.extend(f'   <entry id="{i}"/>\n' for i in range(count))
    parts.append("  </container>\n </lessons>\n</kvtml>\n")
    return "".join(parts)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: kvtml.py WORDS.txt OUT.kvtml")
    with open(sys.argv[1], "rb") as f:
        text = kvtml(f.read())
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
