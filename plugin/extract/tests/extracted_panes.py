"""Checks an extracted layer drawing with ezdxf, an independent DXF reader.

Usage: extracted_panes.py DRAWING.dxf SOURCE_SITE PAIR

Audits the drawing, then compares every pane of site SOURCE-PAIR with the
source pane of the same row, column and number: its "填方量"/"挖方量" must be
the source's "填方组PAIR"/"挖方组PAIR", and its natural and design elevation
at corner k the source's layer PAIR and PAIR + 1 there. Prints one line
"errors=E outlines=O panes=P checked=C mismatches=M dims=D" and every
mismatch; exits with 1 on audit errors or mismatches."""
import sys

import ezdxf


def keyed_values(entity, app):
    """The keyed strings of app (docs/xdata.md): a key, then its value as one
    1000 group or as 1000 pieces between 1002 "{" and "}"."""
    if not entity.has_xdata(app):
        return {}
    tags = list(entity.get_xdata(app))
    values, i = {}, 0
    while i + 1 < len(tags):
        key, nxt = tags[i].value, tags[i + 1]
        if nxt.code == 1002 and nxt.value == "{":
            j, pieces = i + 2, []
            while tags[j].code == 1000:
                pieces.append(tags[j].value)
                j += 1
            values[key], i = "".join(pieces), j + 1
        else:
            values[key], i = nxt.value, i + 2
    return values


def numbered(values, stem):
    return [v for k, v in values.items() if k.startswith(stem)]


def main(path, source, pair):
    doc = ezdxf.readfile(path)
    errors = len(doc.audit().errors)
    msp = doc.modelspace()
    new_number = f"{source}-{pair}"
    outlines = sum(1 for e in msp.query("LWPOLYLINE")
                   if keyed_values(e, "场区").get("场区编号") == new_number)
    sources, panes = {}, []
    for e in msp.query("LWPOLYLINE"):
        v = keyed_values(e, "方格")
        key = (v.get("行数"), v.get("列数"), v.get("方格编号"))
        if e.dxf.layer == f"场区{source}方格":
            sources[key] = v
        elif e.dxf.layer == f"场区{new_number}方格":
            panes.append((key, v, len(e)))
    mismatches = []
    for key, v, corners in panes:
        s = sources.get(key)
        if s is None:
            mismatches.append(f"{key}: no source pane")
            continue
        want = {"填方量": s.get(f"填方组{pair}"), "挖方量": s.get(f"挖方组{pair}")}
        for k in range(corners):
            layers = numbered(s, f"标高组{k}_")
            want[f"点自然标高{k + 1}"] = layers[pair - 1]
            want[f"点设计标高{k + 1}"] = layers[pair]
        for name, value in want.items():
            if v.get(name) != value:
                mismatches.append(f"{key} {name}: {v.get(name)} != {value}")
    dims = sum(1 for e in msp if e.dxftype() == "AcDbPtEleDim")
    print(f"errors={errors} outlines={outlines} panes={len(panes)} checked={len(panes)} "
          f"mismatches={len(mismatches)} dims={dims}")
    for m in mismatches[:20]:
        print(m)
    return 1 if errors or mismatches else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], int(sys.argv[3])))
