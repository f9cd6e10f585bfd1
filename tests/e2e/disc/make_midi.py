#!/usr/bin/env python3
"""Writes the MIDI piece of the end-to-end demo disc, Media/Sounds/tema.mid.

A short tune of our own (format 0, one track, piano, 120 beats a minute, about ten
seconds). Run it again only to change the piece; the file it writes is kept in the tree.
"""
import os
import struct

TICKS = 96  # per quarter note


def var_len(n):
    """A MIDI variable-length quantity."""
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, (n & 0x7F) | 0x80)
        n >>= 7
    return bytes(out)


def track(notes):
    """notes: (start tick, length in ticks, key, velocity) in any order."""
    events = []
    for start, length, key, velocity in notes:
        events.append((start, 1, bytes((0x90, key, velocity))))
        events.append((start + length, 0, bytes((0x80, key, 0))))
    events.sort(key=lambda e: (e[0], e[1]))
    data = bytearray()
    data += var_len(0) + bytes((0xFF, 0x51, 3)) + (500000).to_bytes(3, 'big')  # 120 bpm
    data += var_len(0) + bytes((0xC0, 0))  # piano
    now = 0
    for tick, _, message in events:
        data += var_len(tick - now) + message
        now = tick
    data += var_len(TICKS) + bytes((0xFF, 0x2F, 0))
    return b'MTrk' + struct.pack('>I', len(data)) + bytes(data)


def tune():
    melody = [64, 67, 72, 71, 69, 67, 65, 64, 62, 64, 65, 67, 64, 62, 60]
    lengths = [1, 1, 2, 1, 1, 2, 1, 1, 1, 1, 2, 1, 1, 1, 3]
    notes = []
    t = 0
    for key, beats in zip(melody, lengths):
        notes.append((t, beats * TICKS - 8, key, 96))
        t += beats * TICKS
    for bar, root in enumerate([48, 53, 55, 48, 48]):
        for k in (root, root + 7):
            notes.append((bar * 4 * TICKS, 4 * TICKS - 8, k, 64))
    return notes


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, 'Media', 'Sounds', 'tema.mid')
    os.makedirs(os.path.dirname(out), exist_ok=True)
    header = b'MThd' + struct.pack('>IHHH', 6, 0, 1, TICKS)
    with open(out, 'wb') as f:
        f.write(header + track(tune()))


if __name__ == '__main__':
    main()
