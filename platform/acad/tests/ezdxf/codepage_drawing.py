"""Drawings of older releases, stored in a code page, as ezdxf writes them.

Usage: codepage_drawing.py write OUT.dxf R12|R2000 plain|escapes
       codepage_drawing.py read IN.dxf
write: layers and texts with Chinese names in code page 936 (GBK); with
"escapes" some texts and a layer name also hold characters GBK lacks, which
ezdxf writes as \\U+ escapes.
read: prints "<layer>|<text>" for every TEXT of model space, in order.
"""
import sys

import ezdxf

PLAIN = [("场区1方格", "土方 T=12.50"), ("场区1挖方标注", "挖方量 W=3.25")]
ESCAPED = [("场区1€", "欧元€ 한글 😀")]


def write(path, version, escapes):
    doc = ezdxf.new(version)
    doc.encoding = "gbk"  # ezdxf's name for ANSI_936
    msp = doc.modelspace()
    for layer, text in PLAIN + (ESCAPED if escapes == "escapes" else []):
        if layer not in doc.layers:
            doc.layers.add(layer, color=2)
        msp.add_text(text, dxfattribs={"layer": layer})
    doc.saveas(path)


def read(path):
    doc = ezdxf.readfile(path)
    for text in doc.modelspace().query("TEXT"):
        print("%s|%s" % (text.dxf.layer, text.dxf.text))


if __name__ == "__main__":
    if sys.argv[1] == "write":
        write(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        read(sys.argv[2])
