#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes ZuIconData.cpp: the editor's icons as byte arrays in the stream
format juce::Path::loadPathFromData reads (a winding byte 'n' or 'z', then
'm' x y, 'l' x y, 'q' x1 y1 x2 y2, 'b' x1 y1 x2 y2 x3 y3, 'c' close, each
coordinate a little-endian float). Run it after changing a shape here."""

import math
import struct
import sys

K = 0.5522847498  # cubic control distance of a quarter circle


def circle(cx, cy, r, clockwise=True):
    k = K * r
    if clockwise:
        return [('m', cx, cy - r),
                ('b', cx + k, cy - r, cx + r, cy - k, cx + r, cy),
                ('b', cx + r, cy + k, cx + k, cy + r, cx, cy + r),
                ('b', cx - k, cy + r, cx - r, cy + k, cx - r, cy),
                ('b', cx - r, cy - k, cx - k, cy - r, cx, cy - r), ('c',)]
    return [('m', cx, cy - r),
            ('b', cx - k, cy - r, cx - r, cy - k, cx - r, cy),
            ('b', cx - r, cy + k, cx - k, cy + r, cx, cy + r),
            ('b', cx + k, cy + r, cx + r, cy + k, cx + r, cy),
            ('b', cx + r, cy - k, cx + k, cy - r, cx, cy - r), ('c',)]


def poly(points, close=True):
    cmds = [('m',) + points[0]] + [('l',) + p for p in points[1:]]
    return cmds + [('c',)] if close else cmds


# A document sheet in a 24 box: the outline of a page whose top-right corner
# is folded over (the fold drawn solid), and two text lines. The last line is
# left open; the file browser closes it before filling.
SVG_FILE = ('n',
            poly([(4, 1), (14, 1), (20, 7), (20, 23), (4, 23)])
            + poly([(6, 3), (6, 21), (18, 21), (18, 9), (12, 9), (12, 3)])
            + poly([(8, 13), (16, 13), (16, 15), (8, 15)])
            + poly([(8, 17), (16, 17), (16, 19), (8, 19)], close=False))

# A folder in a 24 box: a solid back with its tab, a thin gap under the tab
# line, and a front whose body is hollow with a thick rim.
SVG_FOLDER = ('n',
              poly([(1, 4), (9, 4), (11, 6.5), (23, 6.5), (23, 21), (1, 21)])
              + poly([(3, 10), (3, 19), (21, 19), (21, 10)])
              + poly([(3, 8.2), (3, 8.9), (21, 8.9), (21, 8.2)]))

# A filled circle with a lower-case "i" cut out of it: the dot and the stem
# with a small foot serif are holes (even-odd winding).
INFO = ('z',
        circle(12, 12, 11)
        + circle(12, 6.6, 1.7)
        + poly([(10.3, 9.6), (13.3, 9.6), (13.3, 16.6), (14.6, 16.6), (14.6, 18.6),
                (9.4, 18.6), (9.4, 16.6), (10.7, 16.6), (10.7, 11.6), (10.3, 11.6)]))

ICONS = [('svgFile', SVG_FILE), ('svgFolder', SVG_FOLDER), ('infoSvgData', INFO)]


def encode(icon):
    winding, cmds = icon
    out = bytearray(winding.encode())
    for cmd in cmds:
        out += cmd[0].encode()
        for v in cmd[1:]:
            out += struct.pack('<f', float(v))
    return bytes(out)


def main():
    lines = ['// SPDX-License-Identifier: GPL-3.0-or-later',
             '// Written by make_icon_data.py; edit the shapes there.',
             '#include "ZuIconData.h"', '', 'namespace ZuIconData', '{']
    for name, icon in ICONS:
        data = encode(icon)
        lines.append('const unsigned char %s[] = {' % name)
        for i in range(0, len(data), 16):
            lines.append('    ' + ', '.join('%d' % b for b in data[i:i + 16]) + ',')
        lines.append('};')
        lines.append('const int %sSize = (int) sizeof(%s);' % (name, name))
        lines.append('')
    lines.append('const Entry all[] = {')
    for name, _ in ICONS:
        lines.append('    {"%s", %s, %sSize},' % (name, name, name))
    lines.append('};')
    lines.append('const int numIcons = (int) (sizeof(all) / sizeof(all[0]));')
    lines.append('} // namespace ZuIconData')
    with open(sys.argv[1] if len(sys.argv) > 1 else 'ZuIconData.cpp', 'w') as f:
        f.write('\n'.join(lines) + '\n')


main()
