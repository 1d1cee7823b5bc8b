kestrix_add_test(test_vcl_controls
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/test_controls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_controls_mouse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_timers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_forms.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_hosts.cpp
  LIBS vcl)
if(KESTRIX_SDL)
  kestrix_add_test(test_vcl_sdl
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_hosts_sdl.cpp
    LIBS kestrix_rt PkgConfig::SDL2)
endif()
if(TARGET kestrix-view)
  kestrix_add_test(test_vcl_viewer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_viewer.cpp
    LIBS vcl)
  target_compile_definitions(test_vcl_viewer PRIVATE KESTRIX_VIEW="$<TARGET_FILE:kestrix-view>")
  add_dependencies(test_vcl_viewer kestrix-view)
endif()
