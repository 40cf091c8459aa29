"""Prints the earthwork totals of every site of a drawing, and fails when the
drawing does not audit cleanly. Usage: site-totals.py DRAWING.dxf"""
import sys

import ezdxf


def keyed_values(entity, app):
    """The extended data of app as (key, value) pairs (docs/xdata.md)."""
    if not entity.has_xdata(app):
        return []
    tags = [t.value for t in entity.get_xdata(app) if t.code == 1000]
    return list(zip(tags[0::2], tags[1::2]))


def main(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    if auditor.has_errors:
        print(f"{path}: {len(auditor.errors)} audit errors")
        return 1
    for entity in doc.modelspace().query("LWPOLYLINE"):
        site = dict(keyed_values(entity, "场区"))
        if site.get("场区类型", "外框") != "外框" or "场区编号" not in site:
            continue
        print(f"场区{site['场区编号']}: 挖方 {site.get('场区挖方量', '-')}  "
              f"填方 {site.get('场区填方量', '-')}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
