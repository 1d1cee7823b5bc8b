# Buttons, bars and fills.
list(APPEND KESTRIX_RT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gradfl.cpp
)
