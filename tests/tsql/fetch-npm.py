#!/usr/bin/env python3
"""Unpacks pinned packages of the npm registry into FOLDER/node_modules.

The T-SQL check needs only node-sql-parser and the one package it loads at
run time: fetching their two archives, checked against the registry's
published digests, spares a fresh machine the npm client and the hundreds
of Debian packages it brings. Usage: fetch-npm.py FOLDER
"""
import base64
import hashlib
import io
import os
import shutil
import sys
import tarfile
import urllib.request

# name, version, the registry's sha512 integrity of its archive
PACKAGES = [
    ("node-sql-parser", "5.4.0",
     "jVe6Z61gPcPjCElPZ6j8llB3wnqGcuQzefim1ERsqIakxnEy5JlzV7XKdO1KmacRG5TKwPc4vJTgSRQ0LfkbFw=="),
    ("big-integer", "1.6.52",
     "QxD8cf2eVqJOOz63z6JIN9BzvVs/dlySa5HGSBH5xtR8dPteIRQnBxxKqkNTiT6jbDTF6jAfrd4oMcND9RGbQg=="),
]


def fetch(name, version, integrity, modules):
    target = os.path.join(modules, name)
    stamp = os.path.join(target, ".tipolaria-" + version)
    if os.path.exists(stamp):
        return
    url = f"https://registry.npmjs.org/{name}/-/{name}-{version}.tgz"
    with urllib.request.urlopen(url, timeout=60) as answer:
        archive = answer.read()
    digest = base64.b64encode(hashlib.sha512(archive).digest()).decode()
    if digest != integrity:
        sys.exit(f"{url}: the archive's digest is not the registry's published one")
    staging = target + ".new"
    shutil.rmtree(staging, ignore_errors=True)
    with tarfile.open(fileobj=io.BytesIO(archive), mode="r:gz") as tar:
        for member in tar.getmembers():
            # Every file of an npm archive sits under one top folder.
            parts = member.name.split("/", 1)
            if len(parts) != 2 or not (member.isfile() or member.isdir()):
                continue
            relative = os.path.normpath(parts[1])
            if relative.startswith("..") or os.path.isabs(relative):
                sys.exit(f"{url}: a file outside the package: {member.name}")
            path = os.path.join(staging, relative)
            if member.isdir():
                os.makedirs(path, exist_ok=True)
                continue
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with tar.extractfile(member) as source, open(path, "wb") as sink:
                shutil.copyfileobj(source, sink)
    open(os.path.join(staging, ".tipolaria-" + version), "w").close()
    shutil.rmtree(target, ignore_errors=True)
    os.rename(staging, target)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: fetch-npm.py FOLDER")
    modules = os.path.join(sys.argv[1], "node_modules")
    os.makedirs(modules, exist_ok=True)
    for name, version, integrity in PACKAGES:
        fetch(name, version, integrity, modules)


if __name__ == "__main__":
    main()
