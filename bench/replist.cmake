kestrix_add_bench(bench_replist
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_replist.cpp
  LIBS kestrix_rt
)
