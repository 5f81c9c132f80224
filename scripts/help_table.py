#!/usr/bin/env python3
"""Writes the character table of all 256 byte values into the help files,
between the <!-- table --> and <!-- /table --> lines.

    scripts/help_table.py help/QorinEditE.html help/QorinEditD.html
"""
import html
import re
import sys

CONTROL = ["NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS", "HT", "LF", "VT", "FF", "CR", "SO", "SI",
           "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM", "SUB", "ESC", "FS", "GS", "RS", "US"]

HEADINGS = {
    "en": ("Dec", "Hex", "Oct", "Binary", "Char", "Name"),
    "de": ("Dez", "Hex", "Okt", "Binär", "Zeichen", "Name"),
}
NAMES = {
    "en": {32: "space", 127: "DEL (delete)", 160: "no-break space", 173: "soft hyphen", None: "unassigned"},
    "de": {32: "Leerzeichen", 127: "DEL (Löschen)", 160: "geschütztes Leerzeichen", 173: "weicher Trennstrich",
           None: "nicht belegt"},
}


def character(b):
    try:
        return bytes([b]).decode("cp1252")
    except UnicodeDecodeError:
        return None


def row(b, lang):
    c = character(b)
    if b < 32:
        shown, name = "", CONTROL[b]
    elif c is None:
        shown, name = "", NAMES[lang][None]
    elif b in NAMES[lang]:
        shown, name = "" if b in (127, 160, 173) else "&nbsp;", NAMES[lang][b]
    else:
        shown, name = html.escape(c), ""
    return (f"<tr><td>{b}</td><td>{b:02X}</td><td>{b:03o}</td><td>{b:08b}</td>"
            f"<td class=\"c\">{shown}</td><td class=\"n\">{name}</td></tr>")


def grid():
    # Sixteen rows of sixteen: the high hexadecimal digit down, the low one across.
    lines = ["<table class=\"grid\">", "<tr><th></th>" + "".join(f"<th>_{d:X}</th>" for d in range(16)) + "</tr>"]
    for hi in range(16):
        cells = []
        for lo in range(16):
            b = hi * 16 + lo
            c = character(b)
            if b < 32 or b == 127:
                cells.append(f"<td class=\"ctl\">{CONTROL[b] if b < 32 else 'DEL'}</td>")
            elif c is None:
                cells.append("<td></td>")
            elif b in (32, 160, 173):
                cells.append(f"<td class=\"ctl\">{ {32: 'SP', 160: 'NBSP', 173: 'SHY'}[b] }</td>")
            else:
                cells.append(f"<td>{html.escape(c)}</td>")
        lines.append(f"<tr><th>{hi:X}_</th>" + "".join(cells) + "</tr>")
    lines.append("</table>")
    return "\n".join(lines)


def table(lang):
    head = "".join(f"<th>{h}</th>" for h in HEADINGS[lang])
    lines = [grid(), "<p></p>", "<table class=\"chars\">", f"<tr>{head}</tr>"]
    lines += [row(b, lang) for b in range(256)] + ["</table>"]
    return "\n".join(lines)


for path in sys.argv[1:]:
    text = open(path, encoding="utf-8").read()
    lang = "de" if 'lang="de"' in text else "en"
    text = re.sub(r"<!-- table -->.*?<!-- /table -->", lambda m: f"<!-- table -->\n{table(lang)}\n<!-- /table -->",
                  text, flags=re.S)
    open(path, "w", encoding="utf-8").write(text)
