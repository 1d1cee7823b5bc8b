kestrix_add_fuzz(fuzz_qelbase_texts
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_qelbase_texts.cpp
  LIBS qelmath_rt
)
