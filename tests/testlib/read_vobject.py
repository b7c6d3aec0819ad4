#!/usr/bin/python3
"""Reads a vCard or iCalendar file with python3-vobject, a parser independent of the program's
writers, and prints its components as JSON: a list of {"name", "properties": [[name, params,
value]], "components": [...]}. Structured values (N, ADR) are lists of their components, dates
and durations their ISO text. Exits with 3 when vobject is missing, so the test can skip."""
import json
import sys

try:
    import vobject
except ImportError:
    sys.exit(3)


def value_of(line):
    v = line.value
    if line.name == "N":
        return [v.family, v.given, v.additional, v.prefix, v.suffix]
    if line.name == "ADR":
        return [v.box, v.extended, v.street, v.city, v.region, v.code, v.country]
    if hasattr(v, "isoformat"):
        return v.isoformat()
    if hasattr(v, "total_seconds"):
        return v.total_seconds()
    return v if isinstance(v, (str, list)) else str(v)


def component(c):
    out = {"name": c.name, "properties": [], "components": []}
    for child in c.getChildren():
        if isinstance(child, vobject.base.Component):
            out["components"].append(component(child))
        else:
            out["properties"].append([child.name, child.params, value_of(child)])
    return out


with open(sys.argv[1], encoding="utf-8", newline="") as f:
    text = f.read()
print(json.dumps([component(c) for c in vobject.readComponents(text)], ensure_ascii=False))
