kestrix_add_fuzz(fuzz_datetext SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_datetext.cpp LIBS vcl)
