kestrix_add_fuzz(fuzz_image
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_image.cpp
  LIBS vcl)
