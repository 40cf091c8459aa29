"""Writes a drawing with ezdxf the way another program would hand one over.

Usage: make_drawing.py OUT.dxf
Layers with colours, closed lightweight polylines carrying extended data
(keyed strings and a long value split into 255-byte pieces between braces),
texts, circles, a named group and an anonymous one.
"""
import sys

import ezdxf


def long_pieces(value, size=255):
    """Splits the UTF-8 form of value into pieces of at most size bytes,
    cut at character boundaries."""
    pieces, current = [], ""
    for ch in value:
        if len((current + ch).encode("utf-8")) > size:
            pieces.append(current)
            current = ""
        current += ch
    if current:
        pieces.append(current)
    return pieces


def main(path):
    doc = ezdxf.new("R2013")
    doc.layers.add("场区", color=1)
    doc.layers.add("方格", color=2)
    doc.appids.add("场区")
    msp = doc.modelspace()
    long_value = "".join("标高组%d=12.50;" % i for i in range(40))
    panes = []
    for k in range(3):
        x = 20.0 * k
        pane = msp.add_lwpolyline([(x, 0), (x + 20, 0, 0, 0, 0.5), (x + 20, 20), (x, 20)],
                                  format="xyseb", close=True, dxfattribs={"layer": "方格"})
        tags = [(1000, "方格编号"), (1000, str(k + 1)), (1040, 2.5 * k), (1002, "{")]
        tags += [(1000, piece) for piece in long_pieces(long_value)]
        tags += [(1002, "}")]
        pane.set_xdata("场区", tags)
        panes.append(pane)
    msp.add_text("T=12.50", dxfattribs={"layer": "场区", "height": 2.5, "insert": (1, 2)})
    msp.add_text("W=3.25", dxfattribs={"layer": "场区", "height": 2.0, "insert": (5, 6), "rotation": 90})
    circle = msp.add_circle((5, 5), radius=1.5, dxfattribs={"layer": "场区", "color": 3})
    named = doc.groups.new("场区1", description="panes")
    named.extend(panes)
    anonymous = doc.groups.new()
    anonymous.extend([circle])
    doc.saveas(path, encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv[1])
