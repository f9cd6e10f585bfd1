#!/usr/bin/env python3
"""Writes content/data/paises-110m.txt from the npm package world-atlas, once.

    npm pack world-atlas@2.0.2 && tar xzf world-atlas-2.0.2.tgz
    content/tools/world_atlas.py package

Each line of the output is one ring of a country's outline: the country's ISO 3166
numeric code, then the ring's points as LONGITUDE,LATITUDE in degrees with one decimal.
The disc build reads only the committed file.
"""
import hashlib
import json
import pathlib
import sys

package = pathlib.Path(sys.argv[1])
source = package / "countries-110m.json"
OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "paises-110m.txt"

version = json.loads((package / "package.json").read_text())["version"]
topology = json.loads(source.read_text())
scale, translate = topology["transform"]["scale"], topology["transform"]["translate"]

# Arcs are quantized and delta-encoded: each point adds to the one before it.
arcs = []
for arc in topology["arcs"]:
    x = y = 0
    points = []
    for dx, dy in arc:
        x += dx
        y += dy
        points.append((x * scale[0] + translate[0], y * scale[1] + translate[1]))
    arcs.append(points)


def ring(indices):
    points = []
    for i in indices:
        arc = arcs[i] if i >= 0 else list(reversed(arcs[~i]))
        points.extend(arc if not points else arc[1:])
    return points


lines = [f"# world-atlas {version}, {source.name} sha256 "
         f"{hashlib.sha256(source.read_bytes()).hexdigest()}"]
for geometry in topology["objects"]["countries"]["geometries"]:
    code = geometry.get("id", "000")
    polygons = geometry.get("arcs", [])
    if geometry["type"] == "Polygon":
        polygons = [polygons]
    for polygon in polygons:
        for indices in polygon:
            points = ring(indices)
            lines.append(code + " " + " ".join(f"{x:.1f},{y:.1f}" for x, y in points))
OUT.write_text("\n".join(lines) + "\n")
print(f"{OUT}: {len(lines) - 1} rings")
