#!/usr/bin/env python3
"""Writes the per-size SVG artboards of the installer's small glyphs.

Each glyph is drawn again for every DPI step (scale 1, 1.25, 1.5 and 2) so
that horizontal and vertical strokes land on whole pixels at every size:
axis-aligned strokes are a whole number of pixels wide and sit on the pixel
grid; diagonal strokes are a little heavier so they read as equally thick.
The wordmark and the program icon scale smoothly and have one artboard each,
kept by hand in svg/. Run this after changing a glyph; render.sh turns the
artboards into the PNG resources.
"""
import os
import sys

CAPTION_GREY = "#c8c8c8"  # captionText
LABEL_GREY = "#b9babb"  # labelText
ACTION_BLUE = "#07a5d8"  # actionNormal
OUTLINE_GREY = "#707070"  # actionDisabled
DARK = "#18191e"  # panelBackground
WHITE = "#ffffff"

STEPS = [1.0, 1.25, 1.5, 2.0]


def axis_stroke(f):
    return 1 if f < 1.5 else 2


def diagonal_stroke(f):
    return round(axis_stroke(f) * 1.2 + (f - 1) * 0.3, 2)


def svg(w, h, body):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
        f'viewBox="0 0 {w} {h}">\n{body}</svg>\n'
    )


def glyph_box(size):
    """The square a caption glyph occupies, with an even side so it centres."""
    side = {16: 10, 20: 12, 24: 14, 32: 20}[size]
    return (size - side) // 2, side


def rect(x, y, w, h, colour):
    return f'  <rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{colour}"/>\n'


def outline(x, y, side, s, colour):
    # A square ring as one even-odd path, so its stroke is exactly s pixels.
    return (
        f'  <path fill="{colour}" fill-rule="evenodd" d="M{x} {y}h{side}v{side}h{-side}z '
        f'M{x + s} {y + s}v{side - 2 * s}h{side - 2 * s}v{-(side - 2 * s)}z"/>\n'
    )


def close_glyph(size, f):
    o, side = glyph_box(size)
    s = diagonal_stroke(f)
    return svg(
        size,
        size,
        f'  <path d="M{o} {o}L{o + side} {o + side}M{o + side} {o}L{o} {o + side}" '
        f'stroke="{CAPTION_GREY}" stroke-width="{s}" fill="none"/>\n',
    )


def minimize_glyph(size, f):
    o, side = glyph_box(size)
    s = axis_stroke(f)
    return svg(size, size, rect(o, size // 2 - s // 2, side, s, CAPTION_GREY))


def maximize_glyph(size, f):
    o, side = glyph_box(size)
    return svg(size, size, outline(o, o, side, axis_stroke(f), CAPTION_GREY))


def restore_glyph(size, f):
    o, side = glyph_box(size)
    s = axis_stroke(f)
    d = {16: 2, 20: 2, 24: 3, 32: 4}[size]
    inner = side - d
    # The square behind shows only where the front square does not cover it.
    back = (
        rect(o + d, o, inner, s, CAPTION_GREY)
        + rect(o + side - s, o, s, inner, CAPTION_GREY)
        + rect(o + d, o, s, d, CAPTION_GREY)
        + rect(o + side - d, o + inner - s, d, s, CAPTION_GREY)
    )
    return svg(size, size, back + outline(o, o + d, inner, s, CAPTION_GREY))


def check_ticked(size, f):
    inset = 1 if f < 1.5 else 2
    side = size - 2 * inset
    r = round(3 * f, 2)
    s = round(1.75 * f, 2)
    p = lambda x, y: f"{round(x * size, 2)} {round(y * size, 2)}"
    return svg(
        size,
        size,
        f'  <rect x="{inset}" y="{inset}" width="{side}" height="{side}" rx="{r}" '
        f'fill="{ACTION_BLUE}"/>\n'
        f'  <path d="M{p(0.27, 0.52)}L{p(0.43, 0.68)}L{p(0.74, 0.35)}" fill="none" '
        f'stroke="{WHITE}" stroke-width="{s}" stroke-linecap="round" stroke-linejoin="round"/>\n',
    )


def check_empty(size, f):
    inset = 1 if f < 1.5 else 2
    s = axis_stroke(f)
    side = size - 2 * inset - s
    r = round(3 * f - s / 2, 2)
    return svg(
        size,
        size,
        f'  <rect x="{inset + s / 2}" y="{inset + s / 2}" width="{side}" height="{side}" '
        f'rx="{r}" fill="none" stroke="{OUTLINE_GREY}" stroke-width="{s}"/>\n',
    )


def chevron_path(cx, cy, half, up, s, colour):
    rise = half if not up else -half
    y0 = cy - rise / 2
    return (
        f'  <path d="M{round(cx - half, 2)} {round(y0, 2)}L{round(cx, 2)} {round(y0 + rise, 2)}'
        f'L{round(cx + half, 2)} {round(y0, 2)}" fill="none" stroke="{colour}" '
        f'stroke-width="{s}" stroke-linecap="round" stroke-linejoin="round"/>\n'
    )


def combo_strip(frame, f):
    # Three frames side by side: dark, white, light grey.
    s = round(1.5 * f, 2)
    half = 3.5 * f
    body = ""
    for i, colour in enumerate([DARK, WHITE, LABEL_GREY]):
        body += chevron_path(i * frame + frame / 2, frame / 2, half, False, s, colour)
    return svg(3 * frame, frame, body)


def expander(w, h, f, up):
    s = round(1.5 * f, 2)
    half = min((w - 2 * s) / 2, h - 2 * s)
    return svg(w, h, chevron_path(w / 2, h / 2, half, up, s, LABEL_GREY))


def artboards():
    squares = [16, 20, 24, 32]
    for size, f in zip(squares, STEPS):
        yield f"close-{size}", close_glyph(size, f)
        yield f"minimize-{size}", minimize_glyph(size, f)
        yield f"maximize-{size}", maximize_glyph(size, f)
        yield f"restore-{size}", restore_glyph(size, f)
        yield f"check-ticked-{size}", check_ticked(size, f)
        yield f"check-empty-{size}", check_empty(size, f)
    for frame, f in zip([14, 18, 21, 28], STEPS):
        yield f"combo-chevrons-{frame}", combo_strip(frame, f)
    for (w, h), f in zip([(14, 8), (17, 11), (21, 12), (28, 16)], STEPS):
        yield f"expander-up-{w}x{h}", expander(w, h, f, True)
        yield f"expander-down-{w}x{h}", expander(w, h, f, False)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "svg")
    os.makedirs(out, exist_ok=True)
    for name, text in artboards():
        with open(os.path.join(out, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
