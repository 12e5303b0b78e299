#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the game's four sound effects: 16-bit PCM mono at 22050 Hz.

type.wav     a short high click for every correct key
miss.wav     a dull low buzz for a wrong key
attack.wav   a falling zap when an attack is sent
attack2.wav  a heavy low hit when an attack lands

Usage: python3 make_waves.py [folder]   (default: the folder of this script)
The output is the same byte for byte on every run.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050


class Noise:
    """A small linear congruential generator, so the noise never changes."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state / 0x3FFFFFFF - 1.0


def envelope(i, n, attack_s, decay_s):
    """Quick linear rise, exponential fall, and a short fade to exact silence."""
    t = i / RATE
    rise = min(1.0, t / attack_s) if attack_s > 0 else 1.0
    fall = math.exp(-t / decay_s)
    tail = min(1.0, (n - 1 - i) / (0.004 * RATE))
    return rise * fall * tail


def type_click():
    n = int(0.035 * RATE)
    noise = Noise(7)
    out = []
    for i in range(n):
        t = i / RATE
        s = 0.6 * math.sin(2 * math.pi * 1800 * t) + 0.25 * math.sin(2 * math.pi * 3600 * t)
        s += 0.15 * noise.next()
        out.append(0.30 * s * envelope(i, n, 0.0005, 0.006))
    return out


def miss_buzz():
    n = int(0.12 * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        # two detuned soft squares beat against each other: a sour tone
        s = 0.0
        for f in (196.0, 207.7):
            x = math.sin(2 * math.pi * f * t)
            s += math.tanh(3 * x) / 2
        out.append(0.28 * s * envelope(i, n, 0.002, 0.05))
    return out


def attack_zap():
    n = int(0.28 * RATE)
    noise = Noise(11)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = 300 + 1100 * math.exp(-t / 0.07)  # falls from 1400 Hz to about 300 Hz
        phase += 2 * math.pi * f / RATE
        s = 0.7 * math.sin(phase) + 0.3 * math.sin(2 * phase)
        s = 0.8 * s + 0.2 * noise.next()
        out.append(0.30 * s * envelope(i, n, 0.003, 0.09))
    return out


def attack_hit():
    n = int(0.38 * RATE)
    noise = Noise(23)
    out = []
    phase = 0.0
    smooth = 0.0
    for i in range(n):
        t = i / RATE
        f = 45 + 110 * math.exp(-t / 0.05)  # a thump that drops in pitch
        phase += 2 * math.pi * f / RATE
        thump = math.sin(phase) * math.exp(-t / 0.12)
        smooth += 0.25 * (noise.next() - smooth)  # low-passed noise for the crunch
        crunch = smooth * math.exp(-t / 0.03)
        s = 0.8 * thump + 0.9 * crunch
        out.append(0.40 * s * envelope(i, n, 0.001, 0.5))
    return out


def write_wave(path, samples):
    frames = b"".join(
        struct.pack("<h", int(round(max(-1.0, min(1.0, s)) * 32767))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    sounds = {
        "type.wav": type_click(),
        "miss.wav": miss_buzz(),
        "attack.wav": attack_zap(),
        "attack2.wav": attack_hit(),
    }
    for name, samples in sounds.items():
        path = os.path.join(folder, name)
        write_wave(path, samples)
        peak = max(abs(s) for s in samples)
        print(f"{name}: {len(samples) / RATE:.3f} s, peak {peak:.2f}, {os.path.getsize(path)} bytes")


if __name__ == "__main__":
    main()
