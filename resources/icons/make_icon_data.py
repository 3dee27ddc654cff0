#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes ZuIconData.cpp and ZuIconData.h: the editor's icons as byte arrays in the stream
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

def area(points):
    return sum(points[i][0] * points[(i + 1) % len(points)][1] - points[(i + 1) % len(points)][0] * points[i][1]
               for i in range(len(points)))


def shape(points, hole=False):
    """A closed polygon turned clockwise on screen (counter-clockwise when a
    hole), so that shapes of one icon add up under non-zero winding."""
    pts = list(points)
    if (area(pts) < 0) != hole:
        pts.reverse()
    return poly(pts)


def disc(cx, cy, r, hole=False):
    return circle(cx, cy, r, clockwise=not hole)


def rect(x, y, w, h, hole=False):
    return shape([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], hole)


def arc(cx, cy, rx, ry, a0, a1, n=16):
    """Points along an ellipse from angle a0 to a1 (degrees, screen axes:
    0 right, 90 down)."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def stadium(x, y, w, h, hole=False):
    """A rectangle with fully rounded short ends."""
    r = min(w, h) / 2.0
    if w >= h:
        pts = arc(x + w - r, y + r, r, r, -90, 90, 8) + arc(x + r, y + r, r, r, 90, 270, 8)
    else:
        pts = arc(x + r, y + h - r, r, r, 0, 180, 8) + arc(x + r, y + r, r, r, 180, 360, 8)
    return shape(pts, hole)


def roundrect(x, y, w, h, r, hole=False):
    pts = (arc(x + w - r, y + r, r, r, -90, 0, 4) + arc(x + w - r, y + h - r, r, r, 0, 90, 4)
           + arc(x + r, y + h - r, r, r, 90, 180, 4) + arc(x + r, y + r, r, r, 180, 270, 4))
    return shape(pts, hole)


def band(cx, cy, r, width, a0, a1, n=24, ry=None):
    """A thick arc: the ring between r - width/2 and r + width/2 from a0 to a1."""
    ry = r if ry is None else ry
    outer = arc(cx, cy, r + width / 2, ry + width / 2, a0, a1, n)
    inner = arc(cx, cy, r - width / 2, ry - width / 2, a0, a1, n)
    return shape(outer + inner[::-1])


def segment(x1, y1, x2, y2, width):
    dx, dy = x2 - x1, y2 - y1
    d = math.hypot(dx, dy)
    nx, ny = -dy / d * width / 2, dx / d * width / 2
    return shape([(x1 + nx, y1 + ny), (x2 + nx, y2 + ny), (x2 - nx, y2 - ny), (x1 - nx, y1 - ny)])


def stroke(points, width, caps=False):
    """A polyline of that width: a segment per step, round joins."""
    out = []
    for a, b in zip(points, points[1:]):
        out += segment(a[0], a[1], b[0], b[1], width)
    joints = points if caps else points[1:-1]
    for p in joints:
        out += disc(p[0], p[1], width / 2)
    return out


def mirror(icon):
    """The icon mirrored about the vertical centre line of its 24 box."""
    winding, cmds = icon
    out = []
    for cmd in cmds:
        vals = list(cmd[1:])
        for i in range(0, len(vals), 2):
            vals[i] = 24 - vals[i]
        out.append((cmd[0],) + tuple(vals))
    return (winding, out)


def arrow_head(tip, direction, length, half):
    """A solid triangle with its tip at tip, pointing along direction."""
    dx, dy = direction
    d = math.hypot(dx, dy)
    dx, dy = dx / d, dy / d
    bx, by = tip[0] - dx * length, tip[1] - dy * length
    return shape([tip, (bx - dy * half, by + dx * half), (bx + dy * half, by - dx * half)])


def keyboard(x, y, w, h, whites, blacks, hole_margin=1.5, corner=0.0):
    """A piano keyboard in a frame: the frame is a ring, the key dividers and
    the black keys stand inside it (even-odd winding, nothing overlaps)."""
    cmds = roundrect(x, y, w, h, corner) if corner > 0 else rect(x, y, w, h)
    ix, iy, iw, ih = x + hole_margin, y + hole_margin, w - 2 * hole_margin, h - 2 * hole_margin
    cmds += rect(ix, iy, iw, ih)
    kw = iw / whites
    black_h = ih * 0.6
    for i in range(1, whites):
        cx = ix + i * kw
        if i in blacks:
            cmds += rect(cx - kw * 0.32, iy, kw * 0.64, black_h)
            cmds += rect(cx - 0.4, iy + black_h, 0.8, ih - black_h)
        else:
            cmds += rect(cx - 0.4, iy, 0.8, ih)
    return cmds


def padlock(body_top, shackle_open, keyhole, shackle_width=2.0, body=(5, 19)):
    x0, x1 = body
    cx, r = (x0 + x1) / 2.0, (x1 - x0) / 2.0 - 2.2
    lift = 3.5 if shackle_open else 0.0
    top = body_top - 2.5 - lift
    cmds = rect(x0, body_top, x1 - x0, 22 - body_top)
    # The shackle: a U standing on the body; when open it is lifted, its
    # right leg short of the body, its left leg still inside the body.
    left_end = body_top
    pts_outer = arc(cx, top, r + shackle_width / 2, r + shackle_width / 2, 180, 360, 16)
    pts_inner = arc(cx, top, r - shackle_width / 2, r - shackle_width / 2, 180, 360, 16)
    right_end = body_top if not shackle_open else top + 2.0
    u = ([(cx - r - shackle_width / 2, left_end)] + pts_outer + [(cx + r + shackle_width / 2, right_end),
         (cx + r - shackle_width / 2, right_end)] + pts_inner[::-1] + [(cx - r + shackle_width / 2, left_end)])
    cmds += shape(u)
    if keyhole:
        mid = (body_top + 22) / 2.0
        # One outline for the round top and the slot, so that nothing overlaps.
        cmds += shape(arc(cx, mid - 1.0, 1.6, 1.6, 116, 424, 20) + [(cx + 0.7, mid + 2.5), (cx - 0.7, mid + 2.5)])
    return cmds


def power(cx, cy, r, width, bar_top, gap=50):
    return band(cx, cy, r, width, -90 + gap, 270 - gap, 32) + rect(cx - width / 2, bar_top, width, cy - bar_top)


# The icons of the editor's buttons, in a 24 box.
ONOFF = ('n', power(12, 13, 8, 2.8, 1.5))
PANEL_SHOW = ('n', shape([(2, 6), (22, 6), (12, 18)]))
PANEL_HIDE = ('n', shape([(6, 2), (18, 12), (6, 22)]))
MENU = ('n', stadium(2, 4, 20, 3.2) + stadium(2, 10.4, 20, 3.2) + stadium(2, 16.8, 20, 3.2))
ARROW_LEFT = ('n', shape([(15, 2), (19, 6), (13, 12), (19, 18), (15, 22), (5, 12)]))
ARROW_RIGHT = mirror(ARROW_LEFT)
FULLSCREEN = ('n', segment(6, 18, 18, 6, 2.6) + arrow_head((22, 2), (1, -1), 8, 4.5)
              + arrow_head((2, 22), (-1, 1), 8, 4.5))
MOD = ('n', rect(2, 16, 5, 6) + rect(17, 2, 5, 6)
       + stroke([(4.5, 16), (4.5, 8), (12, 8), (12, 17), (19.5, 17), (19.5, 8)], 1.8))
KEY_SMALL = ('z', keyboard(2, 2, 20, 20, 4, {1, 2, 3}))
CHORD = ('n', disc(6, 8, 2.8) + shape(arc(6, 19, 5, 6, 180, 360)) + disc(18, 8, 2.8)
         + shape(arc(18, 19, 5, 6, 180, 360)) + disc(12, 7.5, 3.6) + shape(arc(12, 22, 6.5, 8.5, 180, 360)))
LOCK_CLOSE = ('z', padlock(11, False, True))
LOCK_OPEN = ('z', padlock(12, True, True))
METRONOME = ('z', shape([(6, 20), (18, 20), (14.5, 2), (9.5, 2)]) + rect(4, 20.8, 16, 1.6)
             + segment(12, 16, 19.5, 3.5, 1.6))
PLUS_MINUS = ('n', rect(5, 7.8, 14, 2.4) + rect(10.8, 2, 2.4, 14) + rect(5, 19, 14, 2.4))
CLOSE = ('n', segment(3, 3, 21, 21, 3) + segment(3, 21, 21, 3, 3))
SORT = ('n', rect(4.2, 2, 2.6, 14) + arrow_head((5.5, 22), (0, 1), 7, 4.5)
        + rect(12, 3, 4, 2.4) + rect(12, 8.5, 6, 2.4) + rect(12, 14, 8, 2.4) + rect(12, 19.5, 10, 2.4))
ERASER = ('z', shape([(3.5, 15), (12.5, 6), (19.5, 13), (10.5, 22)]) + shape([(7.5, 11), (8.8, 9.7), (15.8, 16.7),
          (14.5, 18)]) + rect(12, 20.8, 10, 1.4))
KEY_WIDE = ('z', keyboard(1, 4, 22, 16, 4, {1, 2, 3}, 1.6, 2.5))
GRAB = ('n', roundrect(5, 11, 13, 11, 3.5) + stadium(5, 6, 3, 9) + stadium(8.5, 3, 3, 11) + stadium(12, 3.5, 3, 11)
        + stadium(15.5, 6, 3, 9) + segment(17, 18, 21.5, 11, 3) + disc(21.5, 11, 1.5))
SCROLL = ('n', shape([(12, 2), (19, 10.5), (5, 10.5)]) + shape([(5, 13.5), (19, 13.5), (12, 22)]))

SLIDE = ('n', band(12, 12.5, 7.5, 2.6, -45, 210, 40) + arrow_head((3, 3.5), (-0.55, -1), 7, 4.5))
FORE_BACK = ('n', rect(2, 6, 12, 3) + shape([(13, 2.5), (22, 7.5), (13, 12.5)])
             + rect(10, 15, 12, 3) + shape([(11, 11.5), (2, 16.5), (11, 21.5)]))
FORE_BACK2 = ('n', rect(2, 6, 2.6, 3) + rect(5.8, 6, 2.6, 3) + rect(9.6, 6, 4, 3) + shape([(13, 2.5), (22, 7.5), (13, 12.5)])
              + rect(10, 15, 4, 3) + rect(15.6, 15, 2.6, 3) + rect(19.4, 15, 2.6, 3)
              + shape([(11, 11.5), (2, 16.5), (11, 21.5)]))
THIN_RIGHT = ('n', shape([(7, 2), (17, 12), (7, 22), (5.6, 20.6), (14.2, 12), (5.6, 3.4)]))
THIN_LEFT = mirror(THIN_RIGHT)
THIN_DOWN = ('n', shape([(2, 7), (12, 17), (22, 7), (20.6, 5.6), (12, 14.2), (3.4, 5.6)]))
THIN_UP = ('n', shape([(2, 17), (12, 7), (22, 17), (20.6, 18.4), (12, 9.8), (3.4, 18.4)]))
DICE = ('z', roundrect(2, 2, 20, 20, 3) + roundrect(3.8, 3.8, 16.4, 16.4, 2) + disc(7.5, 7.5, 1.8)
        + disc(16.5, 7.5, 1.8) + disc(12, 12, 1.8) + disc(7.5, 16.5, 1.8) + disc(16.5, 16.5, 1.8))

UNDO = ('n', band(13, 16, 6.5, 2.8, 180, 360, 32, ry=7.5) + rect(17.1, 16, 2.8, 4.5)
        + shape([(1.5, 15), (11.5, 15), (6.5, 21.5)]))
REDO = mirror(UNDO)

PWR2 = ('z', rect(1.5, 1.5, 21, 21) + rect(2.6, 2.6, 18.8, 18.8)
        + band(12, 13, 6, 1.2, -45, 225, 32) + rect(11.4, 5.5, 1.2, 7))
MUTE = ('n', shape([(2, 9), (6, 9), (11, 4), (11, 20), (6, 15), (2, 15)])
        + segment(14, 9, 20, 15, 1.8) + segment(14, 15, 20, 9, 1.8))
DOOR = ('n', stroke([(13, 8), (13, 3), (3.5, 3), (3.5, 21), (13, 21), (13, 16)], 1.8) + rect(7.5, 11.1, 10, 1.8)
        + arrow_head((22, 12), (1, 0), 5.5, 4))
LOCK1 = ('n', padlock(13.5, True, False, 2.6, (4, 20)))
LOCK2 = ('n', padlock(11, False, False, 2.6, (4, 20)))
EDIT = ('z', shape([(6.8, 20.2), (3.8, 17.2), (15.5, 5.5), (18.5, 8.5)]) + shape([(3.2, 17.8), (6.2, 20.8), (2, 22)])
        + shape([(16.3, 4.7), (19.3, 7.7), (21.5, 5.5), (18.5, 2.5)]))
RELMODE = ('n', rect(2, 4.4, 20, 1.2) + rect(5, 2, 3.4, 6) + rect(2, 11.4, 20, 1.2) + rect(15, 9, 3.4, 6)
           + rect(2, 18.4, 20, 1.2) + rect(9.5, 16, 3.4, 6))

PHI = ('n', circle(12, 12, 8) + circle(12, 12, 6, clockwise=False) + segment(5, 21, 19, 3, 2.2))
EXP = ('n', segment(2, 9, 13, 22, 2.4) + segment(2, 22, 13, 9, 2.4)
       + stroke(arc(18.5, 5, 3, 3, 190, 360, 10) + [(15.5, 12), (22, 12)], 1.5))
SAT = ('n', roundrect(4, 6, 8, 13, 1.5) + rect(6, 4, 4, 2.5) + rect(2, 20, 20, 1.6)
       + stroke([(16 + 2.5 * math.sin(i * math.pi / 4), 17 - i * 1.7) for i in range(9)], 1.4))


def plug(x, facing_right):
    """A plug half: a body 4 wide with two prongs toward the other half."""
    cmds = rect(x, 5, 4, 14)
    px = x + 4 if facing_right else x - 2.5
    return cmds + rect(px, 7.5, 2.5, 1.6) + rect(px, 15, 2.5, 1.6)


SC = ('n', rect(1, 11.2, 22, 1.6) + plug(4.5, True) + plug(15.5, False))
SC2 = ('n', rect(1, 11.2, 22, 1.6) + plug(6.5, True) + plug(13.5, False))


def rounded_corners(points, rounded, r):
    """A closed polygon in the given order whose corners flagged in rounded
    are quarter circles of radius r (cubic arcs); the others stay square."""
    n = len(points)

    def unit(a, b):
        d = math.hypot(b[0] - a[0], b[1] - a[1])
        return ((b[0] - a[0]) / d, (b[1] - a[1]) / d)

    def corner(i):
        p = points[i % n]
        din, dout = unit(points[(i - 1) % n], p), unit(p, points[(i + 1) % n])
        return p, din, dout

    p0, _, dout0 = corner(0)
    start = (p0[0] + r * dout0[0], p0[1] + r * dout0[1]) if rounded[0] else p0
    cmds = [('m',) + start]
    for i in range(1, n + 1):
        p, din, dout = corner(i)
        if rounded[i % n]:
            s0 = (p[0] - r * din[0], p[1] - r * din[1])
            e = (p[0] + r * dout[0], p[1] + r * dout[1])
            cmds.append(('l',) + s0)
            cmds.append(('b', s0[0] + K * r * din[0], s0[1] + K * r * din[1],
                         e[0] - K * r * dout[0], e[1] - K * r * dout[1], e[0], e[1]))
        elif i < n:
            cmds.append(('l',) + p)
    return cmds + [('c',)]


# The modulation slot's add icon: in a 1536 box a disc of radius 768 with a
# plus cut out of it (bars 320..1216 by 640..896, the eight end corners
# rounded by 64, the inner corners square), stored here at 1/64 of that size.
# The plus runs against the disc, so non-zero winding makes it a hole.
MOD_ADD = ('n', circle(12, 12, 12)
           + rounded_corners([(10, 5), (10, 10), (5, 10), (5, 14), (10, 14), (10, 19), (14, 19), (14, 14),
                              (19, 14), (19, 10), (14, 10), (14, 5)],
                             [True, False, True, True, False, True, True, False, True, True, False, True], 1.0))

# The CC box's menu arrow: a triangle pointing down.
ARW = ('n', poly([(7, 10), (12, 15), (17, 10)]))

# The modulation drag handle's icon, drawn in a 512 box and stored at 24/512:
# a four-way arrow as one polygon of 24 points, arms 63.6 wide (224.2..287.8),
# arrowheads 147.6 wide and 114 long with their tips on the box edges.
def scaled(points, f=24.0 / 512.0):
    return [(x * f, y * f) for x, y in points]


DRAG_ICON = ('n', shape(scaled([
    (256, 0), (329.8, 114), (287.8, 114), (287.8, 224.2), (398, 224.2), (398, 182.2), (512, 256),
    (398, 329.8), (398, 287.8), (287.8, 287.8), (287.8, 398), (329.8, 398), (256, 512), (182.2, 398),
    (224.2, 398), (224.2, 287.8), (114, 287.8), (114, 329.8), (0, 256), (114, 182.2), (114, 224.2),
    (224.2, 224.2), (224.2, 114), (182.2, 114)])))

# The picture a modulation drag carries, same box: a square frame 66.5..445.5
# with a 36.7 wall, a 39.1 wide tick across the middle of each side from the
# box edge to 55.2 inside the frame, and a centre dot of radius 22.
def crosshair():
    f = 24.0 / 512.0
    outer, wall, half_tick, reach = 66.5, 36.7, 39.1 / 2, 66.5 + 36.7 + 55.2
    inner = outer + wall
    out = shape(scaled([(outer, outer), (512 - outer, outer), (512 - outer, 512 - outer), (outer, 512 - outer)]))
    out += shape(scaled([(inner, inner), (512 - inner, inner), (512 - inner, 512 - inner), (inner, 512 - inner)]),
                 hole=True)
    lo, hi = 256 - half_tick, 256 + half_tick
    for pts in ([(lo, 0), (hi, 0), (hi, reach), (lo, reach)],
                [(lo, 512 - reach), (hi, 512 - reach), (hi, 512), (lo, 512)],
                [(0, lo), (reach, lo), (reach, hi), (0, hi)],
                [(512 - reach, lo), (512, lo), (512, hi), (512 - reach, hi)]):
        out += shape(scaled(pts))
    return out + disc(12, 12, 22 * f)


DD_PICTURE = ('n', crosshair())


def quad_rounded(points, rounded, r):
    """A closed polygon whose corners flagged in rounded are cut by a
    quadratic curve that starts and ends r away from the corner, with the
    corner itself as its control point; the others stay square."""
    n = len(points)

    def unit(a, b):
        d = math.hypot(b[0] - a[0], b[1] - a[1])
        return ((b[0] - a[0]) / d, (b[1] - a[1]) / d)

    cmds = []
    for i in range(n + 1):
        p = points[i % n]
        din, dout = unit(points[(i - 1) % n], p), unit(p, points[(i + 1) % n])
        s0 = (p[0] - r * din[0], p[1] - r * din[1])
        e = (p[0] + r * dout[0], p[1] + r * dout[1])
        if i == 0:
            cmds.append(('m',) + (e if rounded[0] else p))
        elif rounded[i % n]:
            cmds.append(('l',) + s0)
            cmds.append(('q', p[0], p[1], e[0], e[1]))
        elif i < n:
            cmds.append(('l',) + p)
    return cmds + [('c',)]


# The add slot's plus: in an 1100 box two bars 300 wide (400..700 across)
# meeting in the middle, the eight outer corners cut by quadratic curves of
# 50, stored at 24/1100 of that size.
def plus_sign():
    f = 24.0 / 1100.0
    pts = [(400, 0), (700, 0), (700, 400), (1100, 400), (1100, 700), (700, 700), (700, 1100), (400, 1100),
           (400, 700), (0, 700), (0, 400), (400, 400)]
    rounded = [True, True, False, True, True, False, True, True, False, True, True, False]
    return quad_rounded([(x * f, y * f) for x, y in pts], rounded, 50 * f)


PLUS = ('n', plus_sign())


# The recorder's MIDI file item, drawn in a 512 box and stored at 24/512: a
# sheet 416.6 wide and the full height, its corners rounded by 86 except the
# top-left one, which is cut diagonally over 160 and folded over (the fold
# solid); the frame is 31.8 thick.
def midi_file():
    x0, x1, h, r, cut, t = 47.7, 464.3, 512.0, 86.0, 160.0, 31.8
    outer = ([(x0 + cut, 0.0)] + arc(x1 - r, r, r, r, -90, 0, 6) + arc(x1 - r, h - r, r, r, 0, 90, 6)
             + arc(x0 + r, h - r, r, r, 90, 180, 6) + [(x0, cut)])
    ri = r - t
    inner = ([(x0 + cut + t, t)] + arc(x1 - r, r, ri, ri, -90, 0, 6) + arc(x1 - r, h - r, ri, ri, 0, 90, 6)
             + arc(x0 + r, h - r, ri, ri, 90, 180, 6) + [(x0 + t, cut + t), (x0 + cut + t, cut + t)])
    fold = [(x0, cut), (x0 + cut, 0.0), (x0 + cut, cut)]
    return shape(scaled(outer)) + shape(scaled(inner), hole=True) + shape(scaled(fold))


SVG_MIDI_FILE = ('n', midi_file())

ICONS = [('svgFile', SVG_FILE), ('svgFolder', SVG_FOLDER), ('infoSvgData', INFO),
         ('onoffSvgData', ONOFF), ('panelShowSvgData', PANEL_SHOW), ('panelHideSvgData', PANEL_HIDE),
         ('menuSvgData', MENU), ('arrowLeftSvgData', ARROW_LEFT), ('arrowRightSvgData', ARROW_RIGHT),
         ('svgFullscreen', FULLSCREEN), ('modSvgData', MOD), ('svgKey', KEY_SMALL), ('svgChordData', CHORD),
         ('svgLockCloseData', LOCK_CLOSE), ('svgLockOpenData', LOCK_OPEN), ('svgMetronome', METRONOME),
         ('svgPlusMinus', PLUS_MINUS), ('svgCloseData', CLOSE), ('svgSortData', SORT), ('svgEraserData', ERASER),
         ('svgKeyData', KEY_WIDE), ('svgGrabMode2', GRAB), ('svgScrollMode', SCROLL),
         ('svgSlide', SLIDE), ('svgForeBackArrow', FORE_BACK), ('svgForeBackArrow2', FORE_BACK2),
         ('rightSvgData', THIN_RIGHT), ('leftSvgData', THIN_LEFT), ('upSvgData', THIN_UP),
         ('downSvgData', THIN_DOWN), ('diceSvgData', DICE), ('undoSvgData', UNDO), ('redoSvgData', REDO),
         ('pwr2SvgData', PWR2), ('muteSvgData', MUTE), ('doorSvgData', DOOR), ('lock1SvgData', LOCK1),
         ('lock2SvgData', LOCK2), ('svgEditData', EDIT), ('svgRelMode', RELMODE),
         ('svgPhi', PHI), ('svgExp', EXP), ('svgSat', SAT), ('svgSc', SC), ('svgSc2', SC2),
         ('svgModAdd', MOD_ADD), ('svgArw', ARW),
         ('dragIconSvgData', DRAG_ICON), ('ddSvg', DD_PICTURE), ('svgPlus', PLUS),
         ('svgMidiFile', SVG_MIDI_FILE)]


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
    target = sys.argv[1] if len(sys.argv) > 1 else 'ZuIconData.cpp'
    with open(target, 'w') as f:
        f.write('\n'.join(lines) + '\n')
    header = ['// SPDX-License-Identifier: GPL-3.0-or-later',
              '// Written by make_icon_data.py; edit the shapes there.',
              '#pragma once', '',
              "// The editor's icon library: every icon as path data in the stream format",
              '// juce::Path::loadPathFromData reads, drawn in a 24 x 24 box. Panels and',
              '// look-and-feel members load them by name; the contact-sheet test renders',
              '// every entry of `all`.',
              'namespace ZuIconData', '{']
    for name, _ in ICONS:
        header.append('extern const unsigned char %s[];' % name)
        header.append('extern const int %sSize;' % name)
    header += ['', 'struct Entry', '{', '    const char* name;', '    const unsigned char* data;', '    int size;',
               '};', '', 'extern const Entry all[];', 'extern const int numIcons;', '} // namespace ZuIconData']
    with open(target[:-len('.cpp')] + '.h', 'w') as f:
        f.write('\n'.join(header) + '\n')


main()
