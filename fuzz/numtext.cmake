kestrix_add_fuzz(fuzz_numtext
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_numtext.cpp
  LIBS kestrix_rt)
