#!/usr/bin/env python3
"""Writes the catalogue fixtures of this folder (run from anywhere).

bigend.ct0/.dt0   a data set as a big-endian machine writes it: no spatial
                  axes, 2 items, 3 time steps, one delete value
neither.ct0/.dt0  a catalogue whose first word is 600 in neither byte order
truncated.ct0/.dt0  a catalogue cut in the middle of its text record

Word layout: docs/older-formats.md.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
UNSET_COUNT = -2**31
DELETE = -1e-35


def catalogue(order):
    w = [0] * 150
    fmt = ['i'] * 150
    def put(i, v, kind='f'):
        w[i] = v
        fmt[i] = kind
    put(0, 0, 'i')            # spatial axes
    put(1, 2, 'i')            # items
    put(2, DELETE)            # delete value
    put(3, 0, 'i')            # start date: relative time
    put(4, 0, 'i')            # leading records
    put(5, 2, 'i'); put(6, 0.0); put(7, 1.0); put(8, 0.0)   # time axis
    for a in range(4):
        at = 9 + 4 * a
        put(at, UNSET_COUNT, 'i'); put(at + 1, 0.0); put(at + 2, 0.0); put(at + 3, 0.0)
    items = [(1.0, 3.0, 2.0, 0.8164966, 0), (10.0, 30.0, 20.0, 10.0, 1)]
    for i in range(17):
        at = 25 + 5 * i
        mn, mx, mean, sd, miss = items[i] if i < len(items) else (0.0, 0.0, 0.0, 0.0, 0)
        put(at, mn); put(at + 1, mx); put(at + 2, mean); put(at + 3, sd); put(at + 4, miss, 'i')
    numeric = b''.join(struct.pack(order + fmt[i], w[i]) for i in range(150))
    text = 'Gauge 12, big-endian'.ljust(56) + 'hour'.ljust(8) + ' ' * 32
    text += ''.join(d.ljust(20) for d in ['Water level', 'Discharge'] + [''] * 15)
    text = text.encode('ascii')
    assert len(numeric) == 600 and len(text) == 436
    n = lambda v: struct.pack(order + 'i', v)
    return n(600) + numeric + n(600) + n(436) + text + n(436)


def write(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)


big = catalogue('>')
write('bigend.ct0', big)
values = [1.0, 10.0, 2.0, DELETE, 3.0, 30.0]
write('bigend.dt0', b''.join(struct.pack('>f', v) for v in values))
write('neither.ct0', b'\x00\x00\x02\x57' + big[4:])
write('neither.dt0', b'')
write('truncated.ct0', big[:800])
write('truncated.dt0', b'')
