#!/usr/bin/env python3
"""Measures a Leitstelle with many pupils on 127.0.0.1, each a scripted station in a process of
its own: the Leitstelle's CPU time per frame of the movement's pace (4 ms), the delay from a
movement's start on the Leitstelle's clock to its arrival at a station (both read on this
machine's monotonic clock), and the bytes the Leitstelle sends per character and station.

    scripts/leitstelle_messen.py BUILD_DIR [STATIONEN] [NACHRICHT]
"""
import os
import subprocess
import sys
import time

build = sys.argv[1]
stationen = int(sys.argv[2]) if len(sys.argv) > 2 else 30
nachricht = sys.argv[3] if len(sys.argv) > 3 else "SOS"
grenze = "600"
umgebung = dict(os.environ, QT_QPA_PLATFORM="offscreen")

leitstelle = subprocess.Popen(
    [f"{build}/tests/skriptleitstelle", str(stationen), str(stationen - 1), nachricht, "1",
     grenze], stdout=subprocess.PIPE, text=True, env=umgebung)
port = leitstelle.stdout.readline().split()[1]
wort = leitstelle.stdout.readline().split()[1]
schueler = []
for platz in range(2, stationen + 1):
    p = subprocess.Popen([f"{build}/tests/skriptstation", port, wort, f"S{platz}", grenze],
                         stdout=subprocess.PIPE, text=True, env=umgebung)
    while not p.stdout.readline().startswith("weitergegeben 0"):
        pass  # joined: the next one takes the next place
    schueler.append(p)


def cpu_sekunden(pid):
    felder = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(felder[11]) + int(felder[12])) / os.sysconf("SC_CLK_TCK")


start = cpu_start = cpu_ende = dauer = None
for zeile in leitstelle.stdout:
    if zeile.startswith("start "):
        start = int(zeile.split()[1])
        cpu_start = cpu_sekunden(leitstelle.pid)
    elif zeile.startswith("dauer "):
        dauer = int(zeile.split()[1])
        cpu_ende = cpu_sekunden(leitstelle.pid)
_, status, nutzung = os.wait4(leitstelle.pid, 0)
verzoegerungen, gesendet, puls = [], 0, 0
for p in schueler:
    ausgabe, _ = p.communicate(timeout=60)
    for zeile in ausgabe.splitlines():
        teile = zeile.split()
        if teile[0] == "bewegung":
            verzoegerungen.append(int(teile[2]) - (start + int(teile[1])))
        elif teile[0] == "bytes":
            gesendet += int(teile[1])
        elif teile[0] == "pulsbytes":
            puls = int(teile[1])
verzoegerungen.sort()
cpu = cpu_ende - cpu_start
frames = dauer / 4
print(f"stations {stationen}, message {nachricht!r}, exit {os.waitstatus_to_exitcode(status)}")
print(f"movements received {len(verzoegerungen)}")
print(f"delay ms: median {verzoegerungen[len(verzoegerungen) // 2]}, "
      f"p99 {verzoegerungen[int(len(verzoegerungen) * 0.99)]}, max {verzoegerungen[-1]}")
print(f"bytes of the line's messages per character and station, both ways: "
      f"{gesendet / (len(nachricht) * (stationen - 1)):.0f}")
print(f"heartbeat per station: {puls} bytes a second, both ways")
print(f"line's time {dauer} ms = {frames:.0f} frames; Leitstelle CPU while under way {cpu:.2f} s "
      f"= {cpu / frames * 1e6:.1f} us per frame")
