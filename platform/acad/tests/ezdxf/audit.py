"""Opens a DXF file with ezdxf and audits it.

Usage: audit.py DRAWING.dxf
Exit status 0 when ezdxf reads the file and its audit reports no errors;
otherwise the errors are printed and the status is 1. Prints the entity
types of model space, one per line, for the caller to check.
"""
import sys

import ezdxf


def main(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    for error in auditor.errors:
        print("error", error.code, error.message)
    for entity in doc.modelspace():
        print("entity", entity.dxftype())
    for name, group in doc.groups:
        print("group", name, len(group))
    return 1 if auditor.has_errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
