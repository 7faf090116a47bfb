#!/usr/bin/env python3
"""Multicasts screens as a teacher station (sender 0) sends them: a red
1024 x 768 block at 24 bits in zlib, its fragments and its block header,
then a frame end of another screen, 800 x 600 at 16 bits, over and over. The
teacher station of the test takes them for its own and drops them; a
student that takes no screens must show no trace of them (a student that took
the frame end would send its own screen at that geometry). Run it only inside
a private test network.

  inject_screens.py GROUP PORT SECONDS"""
import sys
import zlib

from inject_malformed import datagram, header, send_for

WIDTH, HEIGHT = 1024, 768
PAYLOAD = 1010            # stream bytes per fragment
FRAGMENT_AT = 8           # where a fragment's bytes start
SLACK = 2048              # what a sender's stream carries beyond the pixels
ZLIB = 3


def screen_datagrams():
    stream = zlib.compress(bytes([0, 0, 255]) * (WIDTH * HEIGHT) + bytes(SLACK), 6)
    fragments = []
    for n in range(0, (len(stream) + PAYLOAD - 1) // PAYLOAD):
        d = bytearray(datagram(3, [(4, "I", n)]))
        chunk = stream[n * PAYLOAD:(n + 1) * PAYLOAD]
        d[FRAGMENT_AT:FRAGMENT_AT + len(chunk)] = chunk
        fragments.append(bytes(d))
    block = bytearray(header(8, compression=ZLIB, length=len(stream)))
    block[24:28] = len(fragments).to_bytes(4, "little")
    end = header(2, compression=ZLIB, bpp=16, width=800, height=600, length=0, rect=(0, 0, 800, 600))
    return fragments + [bytes(block), end]


def main():
    group, port, seconds = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    frame = screen_datagrams()
    print("sending", flush=True)
    print(f"sent {send_for(group, port, seconds, frame)} screens as the teacher")


if __name__ == "__main__":
    main()
