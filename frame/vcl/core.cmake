# Run-time library and object model.
list(APPEND VCL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Classes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DateTime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SysUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TypInfo.cpp
)
