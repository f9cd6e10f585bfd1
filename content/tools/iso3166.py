#!/usr/bin/env python3
"""Writes content/data/paises-iso3166.tsv from Debian's iso-codes package, once.

Each line: alpha-2 code, alpha-3 code, numeric code, the country's name in Brazilian
Portuguese (the package's pt_BR translation, else its English name), tab-separated. The
disc build reads only the committed file; run this again only to take a newer iso-codes.
"""
import gettext
import hashlib
import json
import pathlib
import subprocess

SOURCE = pathlib.Path("/usr/share/iso-codes/json/iso_3166-1.json")
OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "paises-iso3166.tsv"

names = gettext.translation("iso_3166-1", "/usr/share/locale", ["pt_BR"], fallback=True)
version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "iso-codes"],
                         capture_output=True, text=True).stdout or "unknown"
digest = hashlib.sha256(SOURCE.read_bytes()).hexdigest()
countries = json.loads(SOURCE.read_text(encoding="utf-8"))["3166-1"]
lines = [f"# iso-codes {version}, {SOURCE.name} sha256 {digest}"]
for c in sorted(countries, key=lambda c: c["alpha_3"]):
    lines.append("\t".join([c["alpha_2"], c["alpha_3"], c["numeric"], names.gettext(c["name"])]))
OUT.write_text("\n".join(lines) + "\n", encoding="utf-8")
print(f"{OUT}: {len(countries)} countries")
