kestrix_add_bench(bench_canvas
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_canvas.cpp
  LIBS vcl
)
