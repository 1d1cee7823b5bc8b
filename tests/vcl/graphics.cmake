kestrix_add_test(test_vcl_graphics
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/test_bitmap_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_canvas_copy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_canvas_shapes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_canvas_text.cpp
  LIBS vcl)
