"""Prints the earthwork totals of every site of a drawing (an extracted layer
drawing "S-j" is named with its source site S and layer pair j), and fails
when the drawing does not audit cleanly. Usage: site-totals.py DRAWING.dxf"""
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
    msp = doc.modelspace()
    for entity in msp.query("LWPOLYLINE"):
        site = dict(keyed_values(entity, "场区"))
        if site.get("场区类型", "外框") != "外框" or "场区编号" not in site:
            continue
        number = site["场区编号"]
        panes = len(msp.query(f'LWPOLYLINE[layer=="场区{number}方格"]'))
        source, _, pair = number.rpartition("-")
        origin = f" (场区{source}第{pair}层)" if source and pair.isdigit() else ""
        print(f"场区{number}{origin}: {panes} 方格  挖方 {site.get('场区挖方量', '-')}  "
              f"填方 {site.get('场区填方量', '-')}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
