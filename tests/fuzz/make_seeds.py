"""Writes a few small, valid day-shaped tables as a starting corpus for fuzz_open."""
import datetime
import os
import sys

import dbf

folder = sys.argv[1]
os.makedirs(folder, exist_ok=True)
for n in range(4):
    path = os.path.join(folder, "seed%d.dbf" % n)
    t = dbf.Table(path, "DyID C(16); Asid C(8); AsDt D; Morn C(3)", dbf_type="db3", codepage="cp1252")
    t.open(mode=dbf.READ_WRITE)
    for i in range(n + 1):
        day = datetime.date(2024, 1, 1 + i)
        t.append(("SmJo0001" + day.strftime("%Y%m%d"), "SmJo0001", day, str(300 + i)))
    if n:
        with t[0] as r:
            dbf.delete(r)
    t.close()
