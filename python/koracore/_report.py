"""The report of a data file as the C dump tool kfsdump writes it: an
ordered tree of named values, as indented "key: value" text or as JSON.

`info` (python3 -m koracore info) builds the same tree from the same
library calls, so both programs print the same. Numbers are written in the
shortest form that reads back to the same double (float32 values to the
same float), chosen as C++'s std::to_chars chooses: fixed or scientific,
whichever is shorter, fixed on a tie.
"""

import math
import re

import numpy as np

__all__ = ["Obj", "Lst", "number_text", "as_text", "as_json"]


class Obj(list):
    """Named members, in order: a list of (key, value) pairs."""

    def set(self, key, value):
        self.append((key, value))
        return self


class Lst(list):
    """Unnamed members."""


def _digits(value):
    """Shortest significant digits and decimal exponent: d.ddd x 10^e."""
    text = np.format_float_scientific(value, unique=True, trim="-")
    mantissa, exponent = text.lstrip("-").split("e")
    return mantissa.replace(".", ""), int(exponent)


def number_text(value):
    if math.isnan(value):
        return "nan"
    if math.isinf(value):
        return "inf" if value > 0 else "-inf"
    if value == 0:
        return "-0" if math.copysign(1.0, value) < 0 else "0"
    digits, exponent = _digits(value)
    sign = "-" if value < 0 else ""
    if exponent >= len(digits) - 1:
        fixed = digits + "0" * (exponent - len(digits) + 1)
    elif exponent >= 0:
        fixed = digits[:exponent + 1] + "." + digits[exponent + 1:]
    else:
        fixed = "0." + "0" * (-exponent - 1) + digits
    scientific = digits[0] + ("." + digits[1:] if len(digits) > 1 else "") + \
        "e%s%02d" % ("-" if exponent < 0 else "+", abs(exponent))
    return sign + (fixed if len(fixed) <= len(scientific) else scientific)


def _is_container(value):
    return isinstance(value, (Obj, Lst))


def _members(value):
    return list(value) if isinstance(value, Obj) else [("", v) for v in value]


def _plain(text):
    return re.sub(r"[\x00-\x1f\x7f]", lambda m: "\\x%02x" % ord(m.group()), text)


def _json_string(text):
    out = ['"']
    for ch in text:
        code = ord(ch)
        if ch in '"\\':
            out.append("\\" + ch)
        elif ch == "\n":
            out.append("\\n")
        elif code < 0x20 or code == 0x7f:
            out.append("\\u%04x" % code)
        else:
            out.append(ch)
    return "".join(out) + '"'


def _scalar(value, json):
    if isinstance(value, str):
        return _json_string(value) if json else _plain(value)
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, (int, np.integer)):
        return str(int(value))
    if isinstance(value, (float, np.floating)):
        text = number_text(value)
        return _json_string(text) if json and not math.isfinite(value) else text
    return "null" if json else "-"


def _inline(value):
    named = isinstance(value, Obj)
    parts = [("%s: " % _plain(k) if named else "") + _scalar(v, False) for k, v in
             _members(value)]
    return ("{%s}" if named else "[%s]") % ", ".join(parts)


def _is_short(value):
    if not _is_container(value) or not value:
        return False
    if isinstance(value, Obj) and len(value) > 4:
        return False
    if any(_is_container(v) for _, v in _members(value)):
        return False
    return len(_inline(value)) <= 60


def _text(value, indent, out):
    pad = " " * indent
    listed = isinstance(value, Lst)
    for key, member in _members(value):
        head = pad + ("-" if listed else _plain(key) + ":")
        if not _is_container(member):
            out.append(head + " " + _scalar(member, False) + "\n")
        elif not member:
            out.append(head + " (none)\n")
        elif _is_short(member):
            out.append(head + " " + _inline(member) + "\n")
        elif listed:
            # "- first: value" with the other members below it, as YAML has it
            child = []
            _text(member, indent + 2, child)
            first = child[0]
            child[0] = first[:indent] + "-" + first[indent + 1:]
            out.extend(child)
        else:
            out.append(head + "\n")
            _text(member, indent + 2, out)


def as_text(report):
    out = []
    _text(report, 0, out)
    return "".join(out)


def _json(value, indent, out):
    if not _is_container(value):
        out.append(_scalar(value, True))
        return
    named = isinstance(value, Obj)
    if not value:
        out.append("{}" if named else "[]")
        return
    flat = not named and not any(_is_container(v) for v in value)
    out.append("{" if named else "[")
    for i, (key, member) in enumerate(_members(value)):
        out.append("," if i else "")
        out.append((" " if i else "") if flat else "\n" + " " * (indent + 2))
        if named:
            out.append(_json_string(key) + ": ")
        _json(member, indent + 2, out)
    if not flat:
        out.append("\n" + " " * indent)
    out.append("}" if named else "]")


def as_json(report):
    out = []
    _json(report, 0, out)
    return "".join(out) + "\n"
