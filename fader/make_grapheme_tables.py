#!/usr/bin/env python3
"""Writes the fader's grapheme break tables, as a C++ header, from Unicode's own data files.

    make_grapheme_tables.py GraphemeBreakProperty.txt emoji-data.txt UnicodeData.txt \
                            DerivedCoreProperties.txt OUTPUT.h

Each code point gets one byte: its Grapheme_Cluster_Break value in the low bits and
Extended_Pictographic in bit 4. The bytes are kept in two stages, blocks of equal bytes shared,
at the block size that makes the two smallest. Beside them, as sorted ranges, the format
characters (General_Category Cf) and the Default_Ignorable_Code_Point characters, which the
rules for fade names and fonts ask about. Standard library only; the same files give the same
header byte for byte.
"""

import re
import sys

CODE_POINTS = 0x110000
PICTOGRAPHIC = 0x10
# Values that join a neighbour other than by CR LF. Below the first code point holding one of
# these, only CR LF forms a cluster of more than one character.
JOINERS = {"Extend", "ZWJ", "SpacingMark", "Prepend", "L", "V", "T", "LV", "LVT",
           "Regional_Indicator"}


def entries(path, version_name):
    """(first, last, value) of each data line, and the version the file names in its header."""
    version = None
    rows = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            found = re.match(r"#\s*" + version_name + r"-([0-9.]+)\.txt", line)
            if found and version is None:
                version = found.group(1)
            data = line.split("#", 1)[0].strip()
            if not data:
                continue
            span, value = (part.strip() for part in data.split(";")[:2])
            first, _, last = span.partition("..")
            rows.append((int(first, 16), int(last or first, 16), value))
    return rows, version


def general_category(path, category):
    """The code points of UnicodeData.txt in the category, its <..., First>/<..., Last> spans
    included."""
    points = []
    first = None
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            fields = line.split(";")
            if len(fields) < 3:
                continue
            cp, name, value = int(fields[0], 16), fields[1], fields[2]
            if name.endswith(", First>"):
                first = cp
                continue
            start, first = (first, None) if name.endswith(", Last>") else (cp, None)
            if value == category:
                points.extend(range(start, cp + 1))
    return points


def ranges(points):
    """Sorted, merged (first, last) spans of a set of code points."""
    spans = []
    for cp in sorted(set(points)):
        if spans and spans[-1][1] + 1 == cp:
            spans[-1][1] = cp
        else:
            spans.append([cp, cp])
    return spans


def range_array(name, spans):
    items = ["{0x%X, 0x%X}" % (first, last) for first, last in spans]
    return array(name, "Range", items, 6)


def smallest_stages(values, end):
    """The two stages at the block size that makes them smallest: block numbers, and blocks."""
    best = None
    for shift in range(4, 11):
        size = 1 << shift
        blocks, numbers, seen = [], [], {}
        for start in range(0, end, size):
            block = bytes(values[start:start + size])
            if block not in seen:
                seen[block] = len(blocks)
                blocks.append(block)
            numbers.append(seen[block])
        width = 1 if len(blocks) <= 256 else 2
        total = len(numbers) * width + len(blocks) * size
        if best is None or total < best[0]:
            best = (total, shift, width, numbers, b"".join(blocks))
    return best[1:]


def array(name, ctype, items, per_row=20):
    rows = []
    for i in range(0, len(items), per_row):
        rows.append("    " + ", ".join(str(v) for v in items[i:i + per_row]) + ",")
    return "inline constexpr %s %s[] = {\n%s\n};\n" % (ctype, name, "\n".join(rows))


def main(argv):
    if len(argv) != 6:
        sys.exit(__doc__)
    breaks, version = entries(argv[1], "GraphemeBreakProperty")
    emoji, _ = entries(argv[2], "emoji-data")
    if version is None:
        sys.exit("%s: no version line in %s" % (argv[0], argv[1]))
    properties, core_version = entries(argv[4], "DerivedCoreProperties")
    if core_version != version:
        sys.exit("%s: %s is of Unicode %s, %s of %s" % (argv[0], argv[4], core_version, argv[1],
                                                        version))
    format_spans = ranges(general_category(argv[3], "Cf"))
    ignorable_spans = ranges(cp for first, last, value in properties
                             if value == "Default_Ignorable_Code_Point"
                             for cp in range(first, last + 1))
    if not format_spans or not ignorable_spans:
        sys.exit("%s: no Cf in %s or no Default_Ignorable_Code_Point in %s" % (argv[0], argv[3],
                                                                               argv[4]))

    names = ["Other"] + sorted({value for _, _, value in breaks})
    number = {name: i for i, name in enumerate(names)}
    if len(names) > PICTOGRAPHIC:
        sys.exit("%s: %d break values do not fit below bit 4" % (argv[0], len(names)))
    values = bytearray(CODE_POINTS)
    for first, last, value in breaks:
        values[first:last + 1] = bytes([number[value]]) * (last - first + 1)
    pictographic = 0
    for first, last, value in emoji:
        if value == "Extended_Pictographic":
            for cp in range(first, last + 1):
                values[cp] |= PICTOGRAPHIC
            pictographic += last - first + 1
    if pictographic == 0:
        sys.exit("%s: no Extended_Pictographic in %s" % (argv[0], argv[2]))

    first_joiner = min(first for first, _, value in breaks if value in JOINERS)
    alone = {number[name] for name in ("Other", "Control", "CR", "LF")}
    stands_alone = [0] * (0x10000 // 64)
    for c in range(0x10000):
        if values[c] & (PICTOGRAPHIC - 1) in alone and not 0xD800 <= c <= 0xDFFF:
            stands_alone[c // 64] |= 1 << (c % 64)
    last_set = max(cp for cp in range(CODE_POINTS) if values[cp])
    shift, width, numbers, blocks = smallest_stages(values, last_set + 1)
    end = len(numbers) << shift

    out = []
    out.append("// Grapheme break tables made from GraphemeBreakProperty-%s.txt and emoji-data.txt\n"
               "// (Extended_Pictographic), with the ranges of UnicodeData.txt's Cf and of\n"
               "// DerivedCoreProperties.txt's Default_Ignorable_Code_Point, by\n"
               "// fader/make_grapheme_tables.py when the fader is built.\n"
               "#pragma once\n\n#include <cstdint>\n\n"
               "namespace WendrikFaderV2::GraphemeTables {\n\n" % version)
    out.append('inline constexpr char kUnicodeVersion[] = "%s";\n\n' % version)
    out.append("enum class Break : std::uint8_t {\n%s\n};\n" %
               "\n".join("    %s = %d," % (name, i) for i, name in enumerate(names)))
    out.append("inline constexpr std::uint8_t kBreakMask = 0x%02X;\n" % (PICTOGRAPHIC - 1))
    out.append("inline constexpr std::uint8_t kPictographic = 0x%02X;\n\n" % PICTOGRAPHIC)
    out.append("// Below this, only CR LF joins into a cluster of more than one character.\n")
    out.append("inline constexpr char32_t kFirstJoiner = 0x%X;\n\n" % first_joiner)
    out.append("// Code point cp's byte is kBytes[(kBlockOf[cp >> kShift] << kShift) + (cp & kLow)];\n"
               "// from kEnd on every byte is 0 (Other, not pictographic).\n")
    out.append("inline constexpr unsigned kShift = %d;\n" % shift)
    out.append("inline constexpr char32_t kLow = 0x%X;\n" % ((1 << shift) - 1))
    out.append("inline constexpr char32_t kEnd = 0x%X;\n" % end)
    out.append("// Bit c of the 16-bit range: the unit never joins a neighbour (CR before LF aside), its\n"
               "// value being Other or a control. Surrogate halves do not stand alone.\n")
    out.append(array("kStandsAlone", "std::uint64_t", ["0x%016X" % word for word in stands_alone], 4))
    out.append(array("kBlockOf", "std::uint8_t" if width == 1 else "std::uint16_t", numbers))
    out.append(array("kBytes", "std::uint8_t", list(blocks)))
    out.append("\n// Sorted, inclusive ranges of code points: the format characters (General_Category Cf)\n"
               "// of UnicodeData.txt, and Default_Ignorable_Code_Point of DerivedCoreProperties.txt.\n")
    out.append("struct Range {\n    char32_t first, last;\n};\n")
    out.append(range_array("kFormat", format_spans))
    out.append(range_array("kDefaultIgnorable", ignorable_spans))
    out.append("\n} // namespace WendrikFaderV2::GraphemeTables\n")
    text = "".join(out)

    # Written only when it changes, so a rebuild does not recompile the fader for nothing.
    try:
        with open(argv[5], encoding="utf-8") as old:
            if old.read() == text:
                return
    except OSError:
        pass
    with open(argv[5], "w", encoding="utf-8", newline="\n") as new:
        new.write(text)


if __name__ == "__main__":
    main(sys.argv)
