# The rules every component shares.
list(APPEND KESTRIX_RT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ComponentMessage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TimerWindow.cpp
)
