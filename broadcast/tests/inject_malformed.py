#!/usr/bin/env python3
"""Sends malformed MirageDatagrams to a group for a while, as a broken or
hostile sender would: fragments and lengths past the buffers, block index
16, cursor-shape part 2, compression 1, frame ends of width 0, 4000 x 3000
and 32 bits, a rectangle outside the frame, a mouse datagram, and datagrams
of the wrong size. Run it only inside a private test network.

  inject_malformed.py GROUP PORT SECONDS"""
import socket
import struct
import sys
import time


def datagram(kind, fields):
    data = bytearray(1024)
    data[0] = 0  # as the teacher
    data[1] = kind
    for offset, fmt, value in fields:
        struct.pack_into("<" + fmt, data, offset, value)
    return bytes(data)


def header(subtype, compression=3, bpp=24, width=1024, height=768, length=1000, rect=(0, 0, 1024, 768), index=0):
    fields = [(4, "H", subtype), (8, "H", compression), (10, "H", bpp), (12, "H", width), (14, "H", height),
              (16, "I", length), (20, "I", 60), (24, "I", 1), (44, "I", index)]
    fields += [(28 + 4 * i, "i", v) for i, v in enumerate(rect)]
    return datagram(1, fields)


MALFORMED = [
    datagram(3, [(4, "I", 0xFFFFFFFF)]),                 # fragment past the wire buffer
    datagram(3, [(4, "I", 5000)]),
    header(8, length=10 * 1024 * 1024),                  # length past the capacity
    header(8, index=16),                                 # block index 16
    datagram(5, [(4, "H", 2), (8, "I", 2)]),             # cursor-shape part 2
    header(8, compression=1),                            # compression 1
    header(2, width=0),                                  # frame end of width 0
    datagram(4, [(4, "H", 2), (8, "I", 1), (12, "i", 500), (16, "i", 400)]),  # then a mouse datagram
    header(2, width=4000, height=3000),                  # oversized geometry
    header(2, bpp=32),                                   # 32 bits per pixel
    header(8, rect=(0, 0, 2000, 768)),                   # rectangle outside the frame
    header(8, rect=(-5, 0, 100, 100)),
    header(7, width=0, height=0),                        # size change to nothing
    b"short",                                            # wrong sizes
    bytes(1025),
]


def send_for(group, port, seconds, datagrams, pause=0.05):
    """Sends the datagrams to the group over and over for `seconds`, with
    `pause` seconds after each round; returns the rounds sent."""
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM, socket.IPPROTO_UDP)
    s.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_TTL, 1)
    end = time.time() + seconds
    rounds = 0
    while time.time() < end:
        for d in datagrams:
            s.sendto(d, (group, port))
        rounds += 1
        time.sleep(pause)
    return rounds


def main():
    group, port, seconds = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    rounds = send_for(group, port, seconds, MALFORMED)
    print(f"sent {rounds * len(MALFORMED)} malformed datagrams")


if __name__ == "__main__":
    main()
