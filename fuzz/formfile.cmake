kestrix_add_fuzz(fuzz_formfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_formfile.cpp LIBS vcl)
