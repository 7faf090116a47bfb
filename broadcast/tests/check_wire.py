#!/usr/bin/env python3
"""Checks what the listener recorded against what the host did.

check_wire.py SCENARIO OUTDIR: OUTDIR holds wire.log and the frames of
mirage-listen, host.log (host lines with wall-clock ms) and screen.ppm (the
screen with the test pattern). Prints each failed check; exit 1 on any.
"""
import sys

failures = []
# A host line is stamped when the host prints it, just after the call it
# reports; the wire's times are the kernel's arrival times.
LAG_MS = 250


def check(ok, what):
    if not ok:
        failures.append(what)
    return ok


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    parts = data.split(maxsplit=4)
    assert parts[0] == b'P6', path
    w, h, top = int(parts[1]), int(parts[2]), int(parts[3])
    assert top == 255
    return w, h, parts[4][:w * h * 3]


def crop(screen, width, height):
    sw, sh, px = screen
    rows = [px[y * sw * 3:(y * sw + width) * 3] for y in range(height)]
    return b''.join(rows)


def parse_wire(path):
    events = []
    for line in open(path):
        words = line.split()
        t = float(words[0])
        ev = {'t': t, 'what': words[1]}
        for w in words[2:]:
            if '=' in w:
                k, v = w.split('=', 1)
                ev[k] = v
        events.append(ev)
    return events


def parse_host(path):
    lines = []
    for line in open(path):
        stamp, _, text = line.rstrip('\n').partition(' ')
        lines.append((float(stamp), text))
    return lines


def host_time(host, prefix, nth=0):
    found = [t for t, text in host if text.startswith(prefix)]
    return found[nth] if len(found) > nth else None


def headers(events, sub):
    return [e for e in events if e['what'] == 'control' and e.get('sub') == str(sub)]


def check_blocks(events, width, height):
    """Fragments 0..n-1 then the header, a frame end after each header."""
    expected_fragment = 0
    last_header = None
    for e in events:
        if e['what'] == 'screen':
            check(int(e['frag']) == expected_fragment, 'fragment %s out of order at %.1f' % (e['frag'], e['t']))
            expected_fragment = int(e['frag']) + 1
        elif e['what'] == 'control' and e['sub'] == '8':
            n, length = int(e['count']), int(e['len'])
            check(n == (length + 1009) // 1010, 'count %d for length %d' % (n, length))
            check(int(e['got']) == n, 'header at %.1f after %s of %d fragments' % (e['t'], e['got'], n))
            check((int(e['w']), int(e['h'])) == (width, height),
                  'header size %sx%s, expected %dx%d' % (e['w'], e['h'], width, height))
            check(e['rect'] == '0,0,%d,%d' % (width, height), 'rectangle %s' % e['rect'])
            check(e['grid'] == '0', 'grid byte %s' % e['grid'])
            last_header = e
            expected_fragment = 0
        elif e['what'] == 'control' and e['sub'] == '2':
            check(last_header is not None, 'frame end without a header at %.1f' % e['t'])
            check(e['len'] == '0' and e['count'] == '0', 'frame end carries len %s count %s' % (e['len'], e['count']))
            last_header = None
    ends = headers(events, 2)
    check(len(ends) == len(headers(events, 8)), 'headers %d, frame ends %d' % (len(headers(events, 8)), len(ends)))


def frame_for(events, header):
    """The frame line that follows a header."""
    i = events.index(header)
    for e in events[i + 1:]:
        if e['what'] == 'frame':
            return e
    return None


def compare(out, frame, screen, width, height, bpp):
    fw, fh, px = read_ppm('%s/%s' % (out, frame['file']))
    if not check((fw, fh) == (width, height), 'frame picture %dx%d' % (fw, fh)):
        return None
    want = crop(screen, width, height)
    if bpp == 16:  # the capture delivers 5-5-5: compare the top 5 bits
        return sum(1 for a, b in zip(px, want) if (a >> 3) != (b >> 3)), 0
    diffs = [abs(a - b) for a, b in zip(px, want)]
    return sum(1 for d in diffs if d), sum(diffs) / len(diffs)


def nothing_after(events, t, what):
    late = [e for e in events if e['t'] > t]
    check(not late, '%d datagrams after %s, first %s' % (len(late), what, late[0] if late else ''))


def check_demo(out, events, host, screen, width, height, bpp):
    check_blocks(events, width, height)
    reset = host_time(host, 'DoReSetOption')
    stop = host_time(host, 'DoStop')
    shape_window = host_time(host, 'shapewindow')
    h8 = headers(events, 8)
    # The reset took effect up to LAG_MS before the host's line was stamped:
    # headers in that window may be of either kind.
    before = [e for e in h8 if e['t'] < reset - LAG_MS]
    after = [e for e in h8 if e['t'] > reset]
    check(len(before) >= 2, 'only %d JPEG frames before the reset' % len(before))
    for e in before:
        check(e['comp'] == '0' and e['q'] == '10' and e['bpp'] == '24',
              'JPEG header comp=%s q=%s bpp=%s' % (e['comp'], e['q'], e['bpp']))
    check(len(after) >= 2 and all(e['comp'] == '3' for e in after[1:]), 'headers after the reset are not zlib')
    check(all(e['bpp'] == str(bpp) for e in after[1:]), 'zlib headers not at %d bits' % bpp)
    shape_window -= LAG_MS
    if before:
        f = frame_for(events, before[-1])
        if check(f is not None and f['ok'] == '1', 'last JPEG frame not decoded'):
            wrong, mean = compare(out, f, screen, width, height, 24)
            check(mean <= 14, 'JPEG frame at quality 10: mean error %.2f' % mean)
    zlib_before_shape = [e for e in after[1:] if e['t'] < shape_window - LAG_MS]
    if check(zlib_before_shape, 'no zlib frame before the shape window'):
        f = frame_for(events, zlib_before_shape[-1])
        if check(f is not None and f['ok'] == '1', 'zlib frame not decoded'):
            wrong, _ = compare(out, f, screen, width, height, bpp)
            check(wrong == 0, 'zlib frame differs from the screen in %d bytes' % wrong)
    nothing_after(events, stop, 'DoStop')

    # Cursor position: first the position at start, then each move, never
    # two within 50 ms, and nothing while the cursor stands still.
    positions = [e for e in events if e['what'] == 'input']
    check(positions and (positions[0]['x'], positions[0]['y']) == ('300', '200'),
          'first position %s' % (positions[0] if positions else None))
    for a, b in zip(positions, positions[1:]):
        check(b['t'] - a['t'] >= 40, 'positions %.1f ms apart' % (b['t'] - a['t']))
    for n, (x, y) in enumerate([(310, 200), (330, 220), (340, 230)]):
        t = host_time(host, 'cursor %d %d' % (x, y))
        sent = [e for e in positions if t - LAG_MS <= e['t'] <= t + 300]
        check(len(sent) == 1 and (sent[0]['x'], sent[0]['y']) == (str(x), str(y)),
              'move to %d,%d sent %s' % (x, y, sent))
    still_from = host_time(host, 'cursor 340 230') + 100
    still = [e for e in positions if still_from < e['t'] < shape_window]
    check(not still, 'a still cursor sent %d positions' % len(still))

    # Shape: two parts, then shape on, carrying the test cursor.
    seq = [e for e in events if e['t'] > shape_window and (e['what'] == 'shape' or
                                                           (e['what'] == 'control' and e['sub'] in '56'))]
    ons = [i for i, e in enumerate(seq) if e['what'] == 'control' and e['sub'] == '5']
    if check(ons and ons[0] >= 2, 'no shape on after the shape window: %s' % seq[:4]):
        i = ons[0]
        check(seq[i - 2].get('part') == '0' and seq[i - 1].get('part') == '1', 'shape parts %s' % seq[i - 2:i])
        area = open('%s/%s' % (out, seq[i]['file']), 'rb').read()
        check(int.from_bytes(area[0:4], 'little') == 5 and int.from_bytes(area[4:8], 'little') == 9,
              'hot spot %s' % area[0:8].hex())
        and_plane, xor_plane = test_cursor_planes()
        check(area[408:536] == and_plane, 'AND plane %s' % area[408:536].hex())
        check(area[536:664] == xor_plane, 'XOR plane %s' % area[536:664].hex())
        check(area[1432:] == bytes(len(area) - 1432), 'bytes past the shape block are not zero')
    post = host_time(host, 'post') - LAG_MS
    after_post = [e for e in events if post < e['t'] < stop and
                  (e['what'] == 'shape' or (e['what'] == 'control' and e['sub'] in '56'))]
    check([e['sub'] for e in after_post if e['what'] == 'control'] == ['6'] and
          not [e for e in after_post if e['what'] == 'shape'], 'shape off sent %s' % after_post)


def test_cursor_planes():
    and_plane = bytes(0xFF if (i // 4 < 8 or i // 4 >= 24) else 0x0F for i in range(128))
    xor_plane = bytes((0x50 if (i // 4) % 2 else 0xA0) if 8 <= i // 4 < 24 else 0 for i in range(128))
    return and_plane, xor_plane


def check_wide(out, events, host, screen):
    check_blocks(events, 1024, 600)
    h8 = headers(events, 8)
    check(len(h8) >= 2, 'only %d frames' % len(h8))
    for h in h8[:3]:
        f = frame_for(events, h)
        if check(f is not None and f['ok'] == '1', 'frame not decoded'):
            wrong, _ = compare(out, f, screen, 1024, 600, 24)
            check(wrong == 0, 'zlib frame differs from the screen in %d bytes' % wrong)
    # Pacing: pause 5 ms before every fourth fragment after the first three.
    for h in h8:
        i = events.index(h)
        frags = [e for e in events[:i] if e['what'] == 'screen'][-int(h['count']):]
        n = int(h['count'])
        floor_ms = (n // 4) * 5
        span = h['t'] - frags[0]['t']
        check(span >= 0.9 * floor_ms, 'block of %d fragments sent in %.1f ms, pauses need %d' % (n, span, floor_ms))
    nothing_after(events, host_time(host, 'DoStop'), 'DoStop')

    # The name of the shared memory was taken: a reported shape goes out as
    # shape off, never as shape parts read through a missing view.
    post = host_time(host, 'post') - LAG_MS
    check(not [e for e in events if e['what'] == 'shape'], 'shape parts sent without shared memory')
    check(not [e for e in events if e['what'] == 'control' and e['sub'] == '5'], 'shape on without shared memory')
    check([e for e in events if e['t'] > post and e['what'] == 'control' and e['sub'] == '6'],
          'no shape off after a shape report without shared memory')


def check_monitor(out, events, host, screen):
    first = host_time(host, 'post = 1', 0)
    second = host_time(host, 'post = 1', 1)
    if not check(first and second, 'the posts did not reach DoSendScreenWnd'):
        return
    first -= LAG_MS
    second -= LAG_MS
    check(not [e for e in events if e['t'] < first], 'datagrams before the first request')
    check_blocks(events, 1024, 768)
    h8 = headers(events, 8)
    check(len(h8) == 2, '%d snapshots for 2 requests' % len(h8))
    check(len([e for e in h8 if e['t'] < second]) == 1, 'not one snapshot per request')
    for h in h8:
        check(h['idx'] == '0', 'snapshot block index %s' % h['idx'])
        f = frame_for(events, h)
        if check(f is not None and f['ok'] == '1', 'snapshot not decoded'):
            wrong, _ = compare(out, f, screen, 1024, 768, 24)
            check(wrong == 0, 'snapshot differs from the screen in %d bytes' % wrong)
    nothing_after(events, host_time(host, 'DoStop'), 'DoStop')


def main():
    scenario, out = sys.argv[1], sys.argv[2]
    events = parse_wire(out + '/wire.log')
    host = parse_host(out + '/host.log')
    screen = read_ppm(out + '/screen.ppm')
    check(not [e for e in events if e['what'] == 'refused'], 'the parser refused datagrams')
    if scenario == 'demo24':
        check_demo(out, events, host, screen, 1024, 768, 24)
    elif scenario == 'demo16':
        check_demo(out, events, host, screen, 1024, 768, 16)
    elif scenario == 'wide24':
        check_wide(out, events, host, screen)
    elif scenario == 'monitor':
        check_monitor(out, events, host, screen)
    frames = len(headers(events, 8))
    for f in failures[:30]:
        print('%s: %s' % (scenario, f))
    print('%s: %d datagrams, %d frames, %d failed checks' % (scenario, len(events), frames, len(failures)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
