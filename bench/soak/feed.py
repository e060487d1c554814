#!/usr/bin/env python3
"""Feeds a sound server's pipe microphone in real time, round and round a play list.

    feed.py FIFO PLAYLIST SAID_LOG

PLAYLIST lines are "<label>\t<raw file>" (16 kHz mono s16le); a label other than "-" is a
phrase said, written to SAID_LOG with the time its audio ends. The sound server may go away and
come back at any time: a write into a pipe nobody reads any more waits until the server has
made its pipe again, and the audio of that time is lost, as a microphone's would be.
Runs until it is killed.
"""
import errno
import os
import sys
import time

RATE = 16000
BYTES = 2
CHUNK = RATE // 50 * BYTES  # 20 ms


def read_playlist(path):
    entries = []
    files = {}  # the list names the same few files again and again
    with open(path, encoding="utf-8") as f:
        for line in f:
            label, _, raw = line.rstrip("\n").partition("\t")
            if raw not in files:
                with open(raw, "rb") as audio:
                    files[raw] = audio.read()
            entries.append((label, files[raw]))
    return entries


class Microphone:
    def __init__(self, fifo):
        self.fifo = fifo
        self.fd = -1

    def _open(self):
        while self.fd < 0:
            try:
                # Non-blocking: a pipe with no server behind it must not hold the feeder.
                self.fd = os.open(self.fifo, os.O_WRONLY | os.O_NONBLOCK)
            except OSError as error:
                if error.errno not in (errno.ENOENT, errno.ENXIO):
                    raise
                time.sleep(0.1)

    def write(self, data):
        """Writes all of data unless the server goes away meanwhile."""
        self._open()
        view = memoryview(data)
        while view:
            try:
                written = os.write(self.fd, view)
                view = view[written:]
            except BlockingIOError:
                # The pipe is full: the server has stopped reading for now.
                time.sleep(0.005)
            except BrokenPipeError:
                os.close(self.fd)
                self.fd = -1
                return


def main():
    fifo, playlist, said_log = sys.argv[1:4]
    entries = read_playlist(playlist)
    mic = Microphone(fifo)
    log = open(said_log, "a", buffering=1, encoding="utf-8")
    start = time.monotonic()
    fed = 0  # bytes fed since start
    while True:
        for label, audio in entries:
            for offset in range(0, len(audio), CHUNK):
                due = start + fed / (RATE * BYTES)
                now = time.monotonic()
                if due > now:
                    time.sleep(due - now)
                elif now - due > 1.0:
                    # Held up (a server restart): what was missed is gone, not played late.
                    start = now - fed / (RATE * BYTES)
                chunk = audio[offset:offset + CHUNK]
                mic.write(chunk)
                fed += len(chunk)
            if label != "-":
                log.write("%.2f\t%s\n" % (time.time(), label))


if __name__ == "__main__":
    main()
