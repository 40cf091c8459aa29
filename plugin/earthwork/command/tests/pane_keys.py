"""Reads a drawing with ezdxf, audits it, and prints the keyed values of every
pane ("方格" extended data) one pane a line: key=value pairs joined by "|".
The first line is the number of audit errors."""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
print(len(doc.audit().errors))
for entity in doc.modelspace().query("LWPOLYLINE"):
    if not entity.has_xdata("方格"):
        continue
    tags = [t.value for t in entity.get_xdata("方格") if t.code == 1000]
    print("|".join(f"{k}={v}" for k, v in zip(tags[0::2], tags[1::2])))
