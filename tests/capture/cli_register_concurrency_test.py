#!/usr/bin/env python3
"""Eight writers, each with its own settings (counter at 0) and document,
register 20 distinct PNG files each into one store at the same moment. Every
material must get its own number, a complete information file and a byte for
byte copy of its source; every node must name its own material and picture."""
import hashlib
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

WRITERS, FILES = 8, 20
tool = sys.argv[1]
root = tempfile.mkdtemp(prefix="plume-conc-")


def png(width, height, seed):
    rows = b"".join(b"\0" + bytes((seed + x + y) % 256 for x in range(width * 3)) for y in range(height))
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(
        ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


try:
    store = os.path.join(root, "store")
    os.makedirs(store)
    # The writers' script: one registration after the other, all writers started together.
    script = os.path.join(root, "writer.sh")
    with open(script, "w") as f:
        f.write('for f in "$@"; do "$TOOL" register "$DOC" "$f" --store "$STORE" || exit 1; done\n')
    procs, sources = [], {}
    for w in range(WRITERS):
        home = os.path.join(root, "w%d" % w)
        os.makedirs(os.path.join(home, "cfg"))
        os.makedirs(os.path.join(home, "tmp"))
        files = []
        for i in range(FILES):
            k = w * FILES + i
            path = os.path.join(home, "img%03d.png" % k)
            with open(path, "wb") as f:
                f.write(png(20, 10 + k, k))
            files.append(path)
            sources[os.path.basename(path)] = path
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(home, "cfg"), TMPDIR=os.path.join(home, "tmp"),
                   QT_QPA_PLATFORM="offscreen", TOOL=tool, STORE=store, DOC=os.path.join(home, "doc.pbd"))
        procs.append(subprocess.Popen(["sh", script] + files, env=env, stdout=subprocess.PIPE))
    outputs = [p.communicate()[0].decode() for p in procs]
    if any(p.returncode != 0 for p in procs):
        fail("a writer failed")

    serials = [json.loads(line)["serial"] for out in outputs for line in out.splitlines()]
    if len(serials) != WRITERS * FILES or len(set(serials)) != WRITERS * FILES:
        fail("serials not distinct: %d lines, %d distinct" % (len(serials), len(set(serials))))

    plumedata = os.path.join(store, "PLUMEDATA")
    infos = {}
    for dirpath, _, names in os.walk(os.path.join(plumedata, "KANRI")):
        for name in names:
            text = open(os.path.join(dirpath, name), "rb").read().decode("cp932")
            if not text.rstrip().endswith("</Root>"):
                fail("incomplete information file " + name)
            tags = dict(re.findall(r"<(\w+)>([^<]*)</\1>", text))
            infos[name[:-4]] = tags
    if sorted(infos) != sorted(serials):
        fail("information files do not match the serials")
    for serial, tags in infos.items():
        data = os.path.join(plumedata, "PNG", serial[-2:], serial + ".PNG")
        digest = hashlib.sha256(open(data, "rb").read()).hexdigest().upper()
        source = tags["GetFrom"][len("file://"):]
        if digest != tags["SHA256"] or digest != hashlib.sha256(open(source, "rb").read()).hexdigest().upper():
            fail("stored file %s differs from its source %s" % (serial, source))

    for w in range(WRITERS):
        doc = json.loads(subprocess.run([tool, "dump", os.path.join(root, "w%d" % w, "doc.pbd")],
                                        capture_output=True, check=True,
                                        env=dict(os.environ, QT_QPA_PLATFORM="offscreen")).stdout)
        if len(doc["nodes"]) != FILES:
            fail("writer %d has %d nodes" % (w, len(doc["nodes"])))
        for node in doc["nodes"]:
            serial = "%08d" % node["serial"]
            info = infos[serial]
            if os.path.basename(info["GetFrom"]) != node["title"]:
                fail("node %s names material %s of %s" % (node["title"], serial, info["GetFrom"]))
            k = int(node["title"][3:6])
            if node["picture"] is None or node["picture"]["height"] != 10 + k:
                fail("node %s does not show its own picture" % node["title"])
    print("ok: %d registrations, %d distinct serials" % (len(serials), len(set(serials))))
finally:
    shutil.rmtree(root, ignore_errors=True)
