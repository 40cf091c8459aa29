"""Reads the report tool's outputs with Python's own modules and prints what
the tests compare. Usage: read_report.py csv|json|svg FILE"""
import csv
import json
import sys
import xml.etree.ElementTree as ET


def read_csv(path):
    """The header and every row, tab-separated; fails without the byte-order mark."""
    with open(path, "rb") as f:
        if not f.read(3) == b"\xef\xbb\xbf":
            sys.exit("no UTF-8 byte-order mark")
    with open(path, encoding="utf-8-sig", newline="") as f:
        for row in csv.reader(f):
            print("\t".join(row))


def number(value):
    return "-" if value is None else repr(float(value))


def read_json(path):
    """One line per site and per pane: site, pane, fill, cut, then the pairs."""
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    for site in report["sites"]:
        print("\t".join(["site", site["number"], number(site["stored"]["fill"]),
                         number(site["stored"]["cut"])]))
        for pane in site["panes"]:
            pairs = [number(p[k]) for p in pane["pairs"] for k in ("fill", "cut")]
            print("\t".join(["pane", site["number"], pane["number"], number(pane["fill"]),
                             number(pane["cut"])] + pairs))


def read_svg(path):
    """Counts of filled and hatched panes, the extreme values, the legend's range."""
    root = ET.parse(path).getroot()
    ns = "{http://www.w3.org/2000/svg}"
    panes = [e for e in root.iter(ns + "polygon") if e.get("class") == "pane"]
    missing = [e for e in root.iter(ns + "polygon") if e.get("class") == "pane-missing"]
    filled = [e for e in panes if e.get("fill", "none").startswith("#")]
    values = [float(e.get("data-value")) for e in panes]
    legend = [e for e in root.iter(ns + "g") if e.get("class") == "legend"][0]
    print(len(panes), len(filled), len(missing), min(values), max(values),
          legend.get("data-min"), legend.get("data-max"), legend.get("data-missing"))


if __name__ == "__main__":
    {"csv": read_csv, "json": read_json, "svg": read_svg}[sys.argv[1]](sys.argv[2])
