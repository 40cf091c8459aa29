"""Reads a drawing with ezdxf and prints the suite's site data and the
multi-layer elevation points, for the caller to compare.

Usage: dump_site_data.py DRAWING.dxf
Exit status 0 when ezdxf reads the file and its audit reports no errors.
One line per item, in drawing order:
  entity TYPE HANDLE
  key APP KEY=VALUE            (keyed values of "场区", "方格", "边坡")
  point X Y Z HEIGHT ANGLE N E1 ... EN
Values split into 255-byte pieces between 1002 braces are joined.
"""
import sys

import ezdxf

APPS = ("场区", "方格", "边坡")


def keyed_values(tags):
    """Pairs (key, value) of one application's data: a 1000 key, then one
    1000 value or 1002 "{", 1000 pieces, 1002 "}"."""
    items = [(t.code, t.value) for t in tags if t.code != 1001]
    pairs, i = [], 0
    while i < len(items):
        key = items[i][1]
        i += 1
        if i < len(items) and items[i] == (1002, "{"):
            i += 1
            value = ""
            while items[i] != (1002, "}"):
                value += items[i][1]
                i += 1
            i += 1
        else:
            value = items[i][1]
            i += 1
        pairs.append((key, value))
    return pairs


def point_line(entity):
    # The entity's type name equals its subclass marker, so the subclass is
    # looked up by its 100 group rather than by name alone.
    tags = next(sub for sub in entity.xtags.subclasses
                if sub[0].code == 100 and sub[0].value == "AcDbMPointEle")
    pos, height, angle, count, elevations = None, None, None, None, []
    for tag in tags:
        if tag.code == 10:
            pos = tag.value
        elif tag.code == 40:
            height = tag.value
        elif tag.code == 50:
            angle = tag.value
        elif tag.code == 90:
            count = tag.value
        elif tag.code == 41:
            elevations.append(tag.value)
    fields = [pos[0], pos[1], pos[2], height, angle, count] + elevations
    return "point " + " ".join("%r" % f for f in fields)


def main(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    for error in auditor.errors:
        print("error", error.code, error.message)
    for entity in doc.modelspace():
        print("entity", entity.dxftype(), entity.dxf.handle)
        for app in APPS:
            if entity.has_xdata(app):
                for key, value in keyed_values(entity.get_xdata(app)):
                    print("key", app, key + "=" + value)
        if entity.dxftype() == "AcDbMPointEle":
            print(point_line(entity))
    return 1 if auditor.has_errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
