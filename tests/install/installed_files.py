#!/usr/bin/python3
"""Installs the build into a scratch DESTDIR and checks what a desktop finds there: every
file in its standard place, the menu entry and the software-centre entry accepted by their
validators, and a manual page that renders without a warning.

    installed_files.py BUILD_DIR APP_ID
"""
import gzip
import os
import subprocess
import sys
import tempfile


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def main():
    build, app_id = sys.argv[1:]
    faults = []
    with tempfile.TemporaryDirectory() as destdir:
        installed = run("cmake", "--install", build, "--prefix", "/usr", env={**os.environ, "DESTDIR": destdir})
        if installed.returncode:
            sys.exit("cmake --install failed:\n" + installed.stdout + installed.stderr)
        usr = os.path.join(destdir, "usr")
        files = {
            "program": "bin/hmanager",
            "menu entry": f"share/applications/{app_id}.desktop",
            "icon": f"share/icons/hicolor/scalable/apps/{app_id}.svg",
            "software-centre entry": f"share/metainfo/{app_id}.metainfo.xml",
            "manual page": "share/man/man1/hmanager.1.gz",
        }
        for what, path in files.items():
            if not os.path.isfile(os.path.join(usr, path)):
                faults.append(f"no {what} at /usr/{path}")
        if faults:
            sys.exit("\n".join(faults))

        desktop = run("desktop-file-validate", os.path.join(usr, files["menu entry"]))
        if desktop.returncode or desktop.stdout or desktop.stderr:
            faults.append("desktop-file-validate:\n" + desktop.stdout + desktop.stderr)
        metainfo = run("appstreamcli", "validate", "--no-net", "--strict", "--pedantic",
                       os.path.join(usr, files["software-centre entry"]))
        if metainfo.returncode or "pedantic: " in metainfo.stdout:
            faults.append("appstreamcli validate:\n" + metainfo.stdout + metainfo.stderr)
        with gzip.open(os.path.join(usr, files["manual page"]), "rt", encoding="utf-8") as page:
            manual = page.read()
        rendered = run("groff", "-man", "-ww", "-z", "-Tutf8", input=manual)
        if rendered.returncode or rendered.stderr:
            faults.append("groff: " + rendered.stderr)
    print("\n".join(faults) or "installed files hold")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
