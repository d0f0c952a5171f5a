"""What the Wine font scripts read of a font's embedded bitmaps."""
from collections import namedtuple

Metrics = namedtuple("Metrics", "width height BearingX BearingY Advance")


def strikes(font):
    """Every strike and its glyphs' bitmaps."""
    return zip(font["EBLC"].strikes, font["EBDT"].strikeData)


def strike(font, ppem):
    """The strike of PPEM pixels and its glyphs' bitmaps, or None."""
    return next(((raster, data) for raster, data in strikes(font) if raster.bitmapSizeTable.ppemY == ppem), None)


def pixel_rows(image_data, width, height):
    """A bit-aligned bitmap's pixels, row by row, 1 where lit."""
    bit = lambda k: (image_data[k // 8] >> (7 - k % 8)) & 1
    return [[bit(r * width + c) for c in range(width)] for r in range(height)]


def glyph_metrics(raster, data):
    """Every glyph's metrics, whether its bitmap or its index subtable holds them."""
    metrics = {}
    for subtable in raster.indexSubTables:
        for name in subtable.names:
            found = getattr(data[name], "metrics", None) or subtable.metrics
            big = hasattr(found, "horiAdvance")  # big metrics name the horizontal ones so
            metrics[name] = Metrics(found.width, found.height,
                                    found.horiBearingX if big else found.BearingX,
                                    found.horiBearingY if big else found.BearingY,
                                    found.horiAdvance if big else found.Advance)
    return metrics


def packed(rows):
    """Pixel rows as a bit-aligned bitmap: the inverse of pixel_rows."""
    bits = [b for row in rows for b in row]
    data = bytearray((len(bits) + 7) // 8)
    for k, b in enumerate(bits):
        data[k // 8] |= b << (7 - k % 8)
    return bytes(data)
