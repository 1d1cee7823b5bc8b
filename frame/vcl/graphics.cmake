# Colours, pens, brushes, fonts, canvas, bitmaps, image files, resources.
list(APPEND VCL_SOURCES
)
