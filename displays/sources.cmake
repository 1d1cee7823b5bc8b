# Value displays.
list(APPEND KESTRIX_RT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/NumLab.cpp
)
