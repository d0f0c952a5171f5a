"""What the Wine font scripts do to a font's outlines."""
import math

from fontTools.ttLib.tables import ttProgram
from fontTools.ttLib.tables._g_l_y_f import Glyph, GlyphCoordinates, flagOnCurve


def lateral_shift(into, out, half, turn):
    """How far a vertex moves across, besides HALF, when the outline is widened by twice HALF:
    along the bisector of its two edges (INTO and OUT: unit vectors and their lengths),
    never further than its shorter edge allows. TURN is -1 for clockwise outer contours."""
    (x_in, y_in, length_in), (x_out, y_out, length_out) = into, out
    d = x_in * x_out + y_in * y_out
    if d <= -0.9375:  # a turn of almost 180 degrees: a shift would shoot off
        return 0
    d += 1
    shift = turn * (y_in + y_out)
    q = turn * (x_out * y_in - y_out * x_in)
    shortest = min(length_in, length_out)
    return shift * half / d if half * q <= shortest * d else shift * shortest / q


def embolden_contour(points, strength, turn):
    """The contour's points moved right so that every stem is STRENGTH wider; heights kept."""
    n = len(points)
    edges = []
    for k in range(n):
        (x0, y0), (x1, y1) = points[k], points[(k + 1) % n]
        length = math.hypot(x1 - x0, y1 - y0)
        edges.append(((x1 - x0) / length, (y1 - y0) / length, length) if length else None)
    moved = []
    for k, (x, y) in enumerate(points):
        out = next((edges[(k + j) % n] for j in range(n) if edges[(k + j) % n]), None)
        into = next((edges[(k - 1 - j) % n] for j in range(n) if edges[(k - 1 - j) % n]), None)
        shift = lateral_shift(into, out, strength / 2, turn) if into and out else 0
        moved.append((round(x + strength / 2 + shift), y))
    return moved


def signed_area(points, ends):
    """Twice the outline's area, taken as a polygon: negative when its outer contours run
    clockwise, as TrueType's do."""
    area, start = 0, 0
    for end in ends:
        contour = points[start:end + 1]
        area += sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(contour, contour[1:] + contour[:1]))
        start = end + 1
    return area


def embolden_across(glyph, strength):
    """Moves the simple glyph's points so that every stem is STRENGTH wider, as a face is
    made bold that has none; the heights are kept."""
    points, start = list(glyph.coordinates), 0
    turn = -1 if signed_area(points, glyph.endPtsOfContours) < 0 else 1
    for end in glyph.endPtsOfContours:
        points[start:end + 1] = embolden_contour(points[start:end + 1], strength, turn)
        start = end + 1
    glyph.coordinates = GlyphCoordinates(points)


def widened(glyf, glyph, box):
    """The glyph, its components made contours, with a contour of no area across BOX."""
    coordinates, ends, flags = glyph.getCoordinates(glyf)
    wide = Glyph()
    wide.numberOfContours = len(ends) + 1
    wide.coordinates = GlyphCoordinates(list(coordinates) + [box[:2], box[2:]])
    wide.endPtsOfContours = list(ends) + [len(coordinates) + 1]
    wide.flags = bytearray(flags) + bytearray([flagOnCurve, flagOnCurve])
    wide.program = ttProgram.Program()
    wide.program.fromBytecode(b"")
    return wide


def outline_box(glyf, name):
    glyph = glyf[name]
    glyph.recalcBounds(glyf)
    return glyph.xMin, glyph.yMin, glyph.xMax, glyph.yMax


def keeping_origins(font, change):
    """Runs CHANGE(glyf, drawn) on the glyphs with outlines; each keeps its origin (its xMin
    less its left side bearing), those made of changed components too."""
    glyf, hmtx = font["glyf"], font["hmtx"]
    drawn = [name for name in font.getGlyphOrder() if glyf[name].numberOfContours]  # not spaces
    origins = {name: glyf[name].xMin - hmtx[name][1] for name in drawn}  # as the file has them
    change(glyf, drawn)
    for name in drawn:
        hmtx[name] = (hmtx[name][0], outline_box(glyf, name)[0] - origins[name])
