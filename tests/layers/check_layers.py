#!/usr/bin/python3
"""Fails when an include in src/ climbs a layer: a folder may include only the folders
below it, and a subsystem's operations (its library without _ui) never include widgets."""
import pathlib
import re
import sys

BELOW = {
    "common": set(),
    "ftp": {"common"},
    "widgets": {"common"},
    "hotels": {"common", "ftp"},
    "videos": {"common", "ftp"},
    "sales": {"common", "ftp"},
    "browser": {"common", "ftp"},
    "app": {"common", "ftp", "widgets", "hotels", "videos", "sales", "browser"},
}
INCLUDE = re.compile(r'#include "([a-z]+)/')
UI_SOURCES = re.compile(r"hm_library\(hm_\w+_ui .*?SOURCES(.*?)\)", re.S)

src = pathlib.Path(sys.argv[1])
faults = []
for folder, below in BELOW.items():
    cmake = (src / folder / "CMakeLists.txt").read_text()
    ui = set(" ".join(UI_SOURCES.findall(cmake)).split())
    for path in sorted((src / folder).glob("*.[ch]*")):
        allowed = below | {folder} | ({"widgets"} if path.name in ui else set())
        for used in INCLUDE.findall(path.read_text()):
            if used not in allowed:
                faults.append(f"{folder}/{path.name} includes {used}/")
        if folder not in ("widgets", "app") and path.name not in ui and "QWidget" in path.read_text():
            faults.append(f"{folder}/{path.name} uses widgets outside its _ui library")
print("\n".join(faults) or "layers hold")
sys.exit(1 if faults else 0)
