#!/usr/bin/env python3
"""Writes content/disco/abertura.mid: the introduction's short fanfare (about six seconds),
composed for the demo disc. Run it again after changing the notes below."""
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "disco" / "abertura.mid"
TICKS = 480  # per quarter note
TEMPO = 600000  # microseconds per quarter note: 100 beats a minute

# (start in eighths, length in eighths, MIDI note, velocity) for each voice.
MELODY = [(0, 1, 67, 90), (1, 1, 72, 96), (2, 1, 76, 100), (3, 3, 79, 110),
          (6, 1, 77, 90), (7, 1, 76, 90), (8, 2, 74, 96), (10, 2, 79, 100),
          (12, 1, 76, 96), (13, 1, 77, 96), (14, 2, 79, 104), (16, 4, 84, 112)]
CHORDS = [(0, 6, (48, 55, 64)), (6, 4, (53, 57, 65)), (10, 2, (55, 59, 62)),
          (12, 4, (52, 55, 60)), (16, 4, (48, 55, 64))]


def var_len(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def track():
    eighth = TICKS // 2
    events = []  # (tick, order, bytes)
    for start, length, note, velocity in MELODY:
        events.append((start * eighth, 1, bytes([0x90, note, velocity])))
        events.append(((start + length) * eighth, 0, bytes([0x80, note, 0])))
    for start, length, notes in CHORDS:
        for note in notes:
            events.append((start * eighth, 1, bytes([0x91, note, 70])))
            events.append(((start + length) * eighth, 0, bytes([0x81, note, 0])))
    events.sort()
    data = bytearray()
    data += b"\x00\xff\x51\x03" + TEMPO.to_bytes(3, "big")
    data += b"\x00\xc0\x38"  # melody: trumpet
    data += b"\x00\xc1\x30"  # chords: string ensemble
    now = 0
    for tick, _, message in events:
        data += var_len(tick - now) + message
        now = tick
    data += b"\x00\xff\x2f\x00"
    return bytes(data)


def main():
    body = track()
    header = b"MThd" + (6).to_bytes(4, "big") + (0).to_bytes(2, "big") + (1).to_bytes(2, "big")
    header += TICKS.to_bytes(2, "big")
    OUT.write_bytes(header + b"MTrk" + len(body).to_bytes(4, "big") + body)


if __name__ == "__main__":
    main()
