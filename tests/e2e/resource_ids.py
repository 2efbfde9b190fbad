"""The program's resource identifiers by their names in res/resource.h: ids.IDC_DEVICE_LIST."""

import os
import re
import types

HEADER = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                      "res", "resource.h")


def read_names(path):
    """Every "#define NAME value" of a resource header, values as numbers."""
    names = {}
    with open(path) as header:
        for line in header:
            match = re.match(r"#define\s+(\w+)\s+\(?(-?\w+)\)?", line)
            if match:
                names[match.group(1)] = int(match.group(2), 0)
    return names


ids = types.SimpleNamespace(**read_names(HEADER))
