# Controls, forms, application, clipboard, styles and the hosts.
list(APPEND VCL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Forms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Themes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hosts/Headless.cpp
)
if(KESTRIX_SDL)
  list(APPEND VCL_SOURCES ${CMAKE_CURRENT_LIST_DIR}/hosts/Sdl.cpp)
endif()
list(APPEND VCL_SOURCES ${CMAKE_CURRENT_LIST_DIR}/StdCtrls.cpp)
