#!/usr/bin/env python3
"""Makes a long stream of a room where people talk, with commands said now and then.

    make-stream.py --out DIR --seed N --minutes M --voices V,V,.. --rates R,R,..
                   --texts FILE,FILE,.. --commands FILE [--repeats K]

Writes DIR/stream.raw (16 kHz mono s16le) and DIR/commands.tsv, one line per command said:
"<first sample>\t<sample after its last>\t<phrase>". The talk is sentences of the text files
(fortune files: entries between "%" lines) that hold no command, read by the voices at the
rates, with pauses between sentences, longer silences now and then, a second speaker talking
over the first or music-like tones in some stretches, and room noise at a few levels under
everything. The same arguments always give the same stream; what espeak-ng and sox made is
kept in DIR/cache and used again.
"""
import argparse
import concurrent.futures
import hashlib
import os
import random
import re
import subprocess
import sys

RATE = 16000
BYTES = 2


def words_of(text):
    """How a phrase is said: lower-case words, digits spelled as the grammar spells them."""
    digits = ["zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"]
    out = []
    for token in re.findall(r"[a-z']+|[0-9]", text.lower()):
        out.append(digits[int(token)] if token.isdigit() else token.strip("'"))
    return [w for w in out if w]


def sentences_of(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        entries = f.read().split("\n%\n")
    for entry in entries:
        lines = []
        for line in entry.splitlines():
            # Attributions and quoted sources are no one's talk.
            if re.match(r"^\s*(--|-- |\()", line) or re.match(r"^\s{6,}\S", line):
                continue
            lines.append(line.strip())
        text = " ".join(lines)
        text = re.sub(r"\s--\s*[A-Z].*$", "", text)
        if re.search(r"[^A-Za-z0-9 ,.;:'\"!?()-]", text) or re.search(r"[A-Za-z]:\s", text):
            continue
        for sentence in re.split(r"(?<=[.!?])\s+(?=[A-Z\"])", text):
            sentence = sentence.strip(" \"()-")
            count = len(sentence.split())
            if 4 <= count <= 30 and re.match(r"^[A-Za-z]", sentence):
                yield sentence


def contains(words, phrase):
    n = len(phrase)
    return any(words[i:i + n] == phrase for i in range(len(words) - n + 1))


class Maker:
    def __init__(self, out):
        self.cache = os.path.join(out, "cache")
        os.makedirs(self.cache, exist_ok=True)

    def _cached(self, key, make):
        path = os.path.join(self.cache, hashlib.md5(key.encode()).hexdigest() + ".raw")
        if not os.path.exists(path):
            part = path + ".part"
            make(part)
            os.replace(part, path)
        return path

    def speech(self, text, voice, rate, gain_db):
        """The text said, without the silence espeak-ng puts around it."""
        def make(part):
            wav = part + ".wav"
            subprocess.run(["espeak-ng", "-v", voice, "-s", str(rate), "-w", wav, text],
                           check=True)
            subprocess.run(["sox", "-R", "-q", "-V1", wav, "-r", str(RATE), "-c", "1", "-b", "16",
                            "-e", "signed", "-t", "raw", part,
                            "silence", "1", "0.02", "0.5%", "reverse",
                            "silence", "1", "0.02", "0.5%", "reverse",
                            "vol", "%.1fdB" % gain_db], check=True)
            os.remove(wav)
        return self._cached("speech|%s|%s|%s|%.1f" % (text, voice, rate, gain_db), make)

    def noise(self, kind, seconds, rms, offset):
        # sox's noises at full scale have these RMS values; scaled to the wanted RMS.
        # sox -R always starts a noise the same way: each section starts at an offset of its
        # own into a longer one, so that sections and streams differ.
        full = {"pink": 0.147, "brown": 0.402, "fan": 0.320}[kind]
        length = "%.3f" % (seconds + offset)
        synth = {"pink": ["synth", length, "pinknoise"],
                 "brown": ["synth", length, "brownnoise"],
                 "fan": ["synth", length, "brownnoise", "synth", length, "sine", "mix", "110"]}[kind]
        synth += ["trim", "%.3f" % offset]

        def make(part):
            subprocess.run(["sox", "-R", "-q", "-n", "-r", str(RATE), "-c", "1", "-b", "16",
                            "-e", "signed", "-t", "raw", part] + synth +
                           ["vol", "%.6f" % (rms / full)], check=True)
        return self._cached("noise|%s|%.3f|%.6f|%.3f" % (kind, seconds, rms, offset), make)

    def tones(self, notes, amplitude):
        """A tune: (frequency, seconds) notes, each a plucked chord of the note and its fifth."""
        def make(part):
            pieces = []
            for i, (freq, seconds) in enumerate(notes):
                piece = "%s.%d" % (part, i)
                subprocess.run(["sox", "-R", "-q", "-n", "-r", str(RATE), "-c", "1", "-b", "16",
                                "-e", "signed", "-t", "raw", piece,
                                "synth", "%.3f" % seconds, "pluck", "%.1f" % freq,
                                "synth", "%.3f" % seconds, "sine", "mix", "%.1f" % (freq * 1.5),
                                "fade", "0.01", "%.3f" % seconds, "0.05",
                                "vol", "%.4f" % amplitude], check=True)
                pieces.append(piece)
            with open(part, "wb") as out:
                for piece in pieces:
                    with open(piece, "rb") as f:
                        out.write(f.read())
                    os.remove(piece)
        return self._cached("tones|%r|%.4f" % (notes, amplitude), make)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--seed", type=int, required=True)
    parser.add_argument("--minutes", type=float, required=True)
    parser.add_argument("--voices", required=True)
    parser.add_argument("--rates", required=True)
    parser.add_argument("--texts", required=True)
    parser.add_argument("--commands", required=True)
    parser.add_argument("--repeats", type=int, default=3)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    voices = args.voices.split(",")
    rates = [int(r) for r in args.rates.split(",")]
    with open(args.commands, encoding="utf-8") as f:
        phrases = [line.strip() for line in f if line.strip()]
    command_words = [words_of(p) for p in phrases]

    sentences = []
    seen = set()
    for path in args.texts.split(","):
        for sentence in sentences_of(path):
            words = words_of(sentence)
            if sentence in seen or any(contains(words, c) for c in command_words):
                continue
            seen.add(sentence)
            sentences.append(sentence)
    rng.shuffle(sentences)
    if not sentences:
        sys.exit("no sentences in " + args.texts)

    # The plan: who says what when, in samples. Main talk and commands go on one track; the
    # second speaker and the music on others, kept clear of the commands.
    total = int(args.minutes * 60 * RATE)
    plan = []          # (start, text, voice, rate, gain) on the main track
    commands = []      # (start, text, phrase, voice, rate, gain)
    order = [p for p in phrases for _ in range(args.repeats)]
    rng.shuffle(order)
    command_every = total / (len(order) + 1)
    next_command = command_every * rng.uniform(0.5, 1.0)
    t = int(RATE * 1.0)
    s = 0
    turns = []         # (start, end) of each speaker's turn
    maker = Maker(args.out)
    pool = concurrent.futures.ThreadPoolExecutor(max_workers=2)
    lengths = {}

    def length_of(text, voice, rate, gain):
        key = (text, voice, rate, gain)
        if key not in lengths:
            path = maker.speech(text, voice, rate, gain)
            lengths[key] = os.path.getsize(path) // BYTES
        return lengths[key]

    while t < total:
        voice = rng.choice(voices)
        rate = rng.choice(rates)
        gain = rng.choice([-9.0, -6.0, -3.0, 0.0])
        turn_start = t
        for _ in range(rng.randint(1, 6)):
            if t >= total:
                break
            if order and t >= next_command:
                phrase = order.pop()
                said = phrase.replace("=", ", ")
                t += int(RATE * rng.uniform(0.4, 1.0))
                n = length_of(said, voice, rate, gain)
                commands.append((t, said, phrase, voice, rate, gain))
                t += n + int(RATE * rng.uniform(0.4, 1.0))
                next_command += command_every
            text = sentences[s % len(sentences)]
            s += 1
            n = length_of(text, voice, rate, gain)
            plan.append((t, text, voice, rate, gain))
            t += n
            # Pauses between sentences, mostly short.
            t += int(RATE * (0.1 + 1.4 * rng.random() ** 2))
        turns.append((turn_start, t, voice))
        if rng.random() < 0.15:
            t += int(RATE * rng.uniform(3, 12))
    total = max(total, t + RATE)

    def clear_of_commands(start, end):
        margin = RATE
        return all(end + margin <= c[0] or start >= c[0] + lengths[c[1:2] + c[3:]] + margin
                   for c in commands)

    second = []        # (start, text, voice, rate, gain)
    music = []         # (start, notes, amplitude)
    for start, end, talker in turns:
        if end - start < 3 * RATE or not clear_of_commands(start, end):
            continue
        roll = rng.random()
        if roll < 0.12:
            t = start + int(RATE * rng.uniform(0.3, 2.0))
            others = [v for v in voices if v != talker] or voices
            voice = rng.choice(others)
            rate = rng.choice(rates)
            gain = rng.choice([-12.0, -9.0, -6.0])
            while t < end:
                text = sentences[s % len(sentences)]
                s += 1
                n = length_of(text, voice, rate, gain)
                if not clear_of_commands(t, t + n):
                    break
                second.append((t, text, voice, rate, gain))
                t += n + int(RATE * rng.uniform(0.1, 0.8))
        elif roll < 0.22:
            notes = []
            seconds = 0.0
            while seconds * RATE < end - start:
                d = rng.choice([0.15, 0.25, 0.25, 0.4, 0.6])
                notes.append((round(220 * 2 ** (rng.randint(0, 24) / 12), 1), d))
                seconds += d
            if clear_of_commands(start, start + int(seconds * RATE)):
                music.append((start, tuple(notes), rng.choice([0.02, 0.04, 0.06])))

    noise = []         # (start, kind, seconds, rms, offset)
    t = 0
    while t < total:
        seconds = min(rng.uniform(60, 240), (total - t) / RATE)
        kind = rng.choice(["pink", "brown", "fan"])
        # Speech is near 0.08 RMS: the room from nearly quiet to a fan 20 dB under the talk.
        rms = rng.choice([0.0008, 0.0025, 0.005, 0.008])
        noise.append((t, kind, seconds, rms, rng.uniform(0, 60)))
        t += int(seconds * RATE)

    # Everything the plan needs, made two at a time.
    jobs = [pool.submit(maker.speech, text, v, r, g) for (_, text, v, r, g) in plan + second]
    jobs += [pool.submit(maker.noise, *n[1:]) for n in noise]
    jobs += [pool.submit(maker.tones, notes, a) for (_, notes, a) in music]
    for job in jobs:
        job.result()

    def track(name, pieces):
        buffer = bytearray(total * BYTES)
        for start, path in pieces:
            data = read(path)
            data = data[:max(0, (total - start) * BYTES)]
            buffer[start * BYTES:start * BYTES + len(data)] = data
        path = os.path.join(args.out, name + ".raw")
        with open(path, "wb") as f:
            f.write(buffer)
        return path

    main_track = track("main", [(st, maker.speech(text, v, r, g)) for (st, text, v, r, g) in plan] +
                       [(st, maker.speech(said, v, r, g)) for (st, said, _, v, r, g) in commands])
    second_track = track("second", [(st, maker.speech(text, v, r, g))
                                    for (st, text, v, r, g) in second])
    music_track = track("music", [(st, maker.tones(notes, a)) for (st, notes, a) in music])
    noise_track = track("noise", [(n[0], maker.noise(*n[1:])) for n in noise])
    raw = ["-t", "raw", "-r", str(RATE), "-c", "1", "-b", "16", "-e", "signed"]
    mixed = os.path.join(args.out, "stream.raw.part")
    cmd = ["sox", "-R", "-q", "-V1", "-m"]
    for path in (main_track, second_track, music_track, noise_track):
        cmd += ["-v", "1"] + raw + [path]
    subprocess.run(cmd + raw + [mixed], check=True)
    for path in (main_track, second_track, music_track, noise_track):
        os.remove(path)

    with open(os.path.join(args.out, "commands.tsv"), "w", encoding="utf-8") as f:
        for (st, said, phrase, v, r, g) in commands:
            f.write("%d\t%d\t%s\t%s\t%d\n" % (st, st + lengths[(said, v, r, g)], phrase, v, r))
    with open(os.path.join(args.out, "talk.tsv"), "w", encoding="utf-8") as f:
        for (st, text, v, r, g) in plan:
            f.write("%d\t%d\t%s\t%s\t%s\n" % (st, st + lengths[(text, v, r, g)], v, r, text))
        for (st, text, v, r, g) in second:
            f.write("%d\t%d\t%s+second\t%s\t%s\n" % (st, st + lengths[(text, v, r, g)], v, r, text))
    os.replace(mixed, os.path.join(args.out, "stream.raw"))


if __name__ == "__main__":
    main()
