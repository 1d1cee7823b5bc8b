kestrix_add_test(test_vcl_core
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/test_classes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_formfile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_persistent.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_rtl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_rtl_files.cpp
  LIBS vcl)
