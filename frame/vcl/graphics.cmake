# Colours, pens, brushes, fonts, canvas, bitmaps, image files, resources.
list(APPEND VCL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanvasCopy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanvasCurves.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanvasText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Colors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Resources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Windows.cpp
)
