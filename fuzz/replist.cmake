kestrix_add_fuzz(fuzz_replist_file
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_replist_file.cpp
  LIBS kestrix_rt
)
kestrix_add_fuzz(fuzz_replist_csv
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_replist_csv.cpp
  LIBS kestrix_rt
)
