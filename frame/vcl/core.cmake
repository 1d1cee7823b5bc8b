# Run-time library and object model.
list(APPEND VCL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Classes.cpp
)
