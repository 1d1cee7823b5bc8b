kestrix_add_bench(bench_stringarray
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_stringarray.cpp
  LIBS qelbase_rt
)
