"""What the Wine font scripts read of a font's embedded bitmaps."""


def strike(font, ppem):
    """The strike of PPEM pixels and its glyphs' bitmaps, or None."""
    for index, found in enumerate(font["EBLC"].strikes):
        if found.bitmapSizeTable.ppemY == ppem:
            return found, font["EBDT"].strikeData[index]
    return None


def pixel_rows(image_data, width, height):
    """A bit-aligned bitmap's pixels, row by row, 1 where lit."""
    bit = lambda k: (image_data[k // 8] >> (7 - k % 8)) & 1
    return [[bit(r * width + c) for c in range(width)] for r in range(height)]
