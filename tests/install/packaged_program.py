#!/usr/bin/python3
"""The package as an operator gets it: made by cpack from the build tree, unpacked into a
read-only tree, started offscreen against the demo content on a test server that listens on
the profile compiled into it. It must keep its data in the operator's data folder
($XDG_DATA_HOME), download the phrase files there, and end with status 0 on SIGTERM.

Run it as `unshare -rmn packaged_program.py ...`: in a network namespace of its own the
server can take the compiled-in port (21 by default) without meeting anyone else's, and in
a mount namespace a read-only bind mount holds even for root.

    packaged_program.py --build DIR --source DIR --host H --port P --user U --password W
Exits 77 (skipped) when the build's server is not on this machine.
"""
import argparse
import glob
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
PHRASES = "www/hmanager/datas/textes"


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)


def output(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def make_package(build, work):
    run("cpack", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", work)
    packages = glob.glob(os.path.join(work, "pendric-hotel-manager_*.deb"))
    if len(packages) != 1:
        sys.exit(f"cpack wrote {packages}, not one package")
    return packages[0]


def check_package(package, app_id):
    listing = output("dpkg-deb", "-c", package)
    for path in ("./usr/bin/hmanager", f"./usr/share/applications/{app_id}.desktop",
                 f"./usr/share/icons/hicolor/scalable/apps/{app_id}.svg",
                 f"./usr/share/metainfo/{app_id}.metainfo.xml", "./usr/share/man/man1/hmanager.1.gz"):
        if " " + path + "\n" not in listing:
            sys.exit(f"the package lacks {path}:\n{listing}")
    depends = output("dpkg-deb", "-f", package, "Depends")
    for qt in ("libqt6core6", "libqt6gui6", "libqt6network6", "libqt6widgets6"):
        if qt + " " not in depends:
            sys.exit(f"the package does not depend on {qt}: {depends}")


def unpack_read_only(package, tree):
    run("dpkg", "-x", package, tree)
    run("mount", "--bind", "-o", "ro", tree, tree)


def start_server(args, work):
    root = os.path.join(work, "server")
    with open(os.path.join(args.source, "demo", "folders.txt"), encoding="utf-8") as folders:
        for folder in folders.read().split("\n"):
            if folder:
                os.makedirs(os.path.join(root, folder), exist_ok=True)
    shutil.copytree(os.path.join(args.source, "demo", "server"), root, dirs_exist_ok=True)
    server = subprocess.Popen([sys.executable, os.path.join(args.source, "tests/servers/pyftpd.py"),
                               "--root", root, "--port", args.port, "--user", args.user,
                               "--password", args.password], stdout=subprocess.PIPE, text=True)
    server.stdout.readline()  # the port, once it listens
    return server, os.path.join(root, PHRASES)


def contents(folder):
    if not os.path.isdir(folder):
        return {}
    files = {}
    for name in os.listdir(folder):
        with open(os.path.join(folder, name), "rb") as f:
            files[name] = f.read()
    return files


def run_program(tree, work, served):
    data_home = os.path.join(work, "data")
    env = {**os.environ, "QT_QPA_PLATFORM": "offscreen", "XDG_DATA_HOME": data_home,
           "HOME": os.path.join(work, "home")}
    textes = os.path.join(data_home, "pendric-hotel-manager", "cfg", "textes")
    program = subprocess.Popen([os.path.join(tree, "usr/bin/hmanager")], env=env)
    try:
        deadline = time.monotonic() + 60
        while contents(textes) != contents(served) and time.monotonic() < deadline and program.poll() is None:
            time.sleep(0.2)
        time.sleep(0.5)
        program.send_signal(signal.SIGTERM)
        status = program.wait(timeout=20)
    finally:
        program.kill()
    faults = []
    if contents(textes) != contents(served):
        faults.append(f"the phrase files in {textes} are not the server's: {sorted(contents(textes))}")
    if not os.path.isdir(os.path.join(data_home, "pendric-hotel-manager", "temp")):
        faults.append("no temp/ in the operator's data folder")
    if status != 0:
        faults.append(f"the program ended with status {status}")
    return faults


def main():
    parser = argparse.ArgumentParser()
    for option in ("build", "source", "app-id", "host", "port", "user", "password"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    if args.host not in ("127.0.0.1", "localhost"):
        print(f"skipped: the build's content server {args.host} is not on this machine")
        return SKIPPED
    run("ip", "link", "set", "lo", "up")
    with tempfile.TemporaryDirectory() as work:
        package = make_package(args.build, os.path.join(work, "package"))
        check_package(package, args.app_id)
        tree = os.path.join(work, "tree")
        unpack_read_only(package, tree)
        server, served = start_server(args, work)
        try:
            faults = run_program(tree, work, served)
        finally:
            server.kill()
            server.wait()
            run("umount", tree)
    print("\n".join(faults) or "the packaged program holds")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
