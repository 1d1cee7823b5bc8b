kestrix_add_test(test_vcl_core
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/test_persistent.cpp
  LIBS vcl)
