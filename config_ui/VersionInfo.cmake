# The version information reader of the configuration window, as a library of its own so the
# tests can use it before the window exists. Included by config_ui's own list and by tests;
# whichever comes first defines the target.
if(KD_WINDOWS AND NOT TARGET kd_versioninfo)
  add_library(kd_versioninfo STATIC ${CMAKE_CURRENT_LIST_DIR}/VersionInfo.cpp)
  target_include_directories(kd_versioninfo PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(kd_versioninfo PUBLIC kd_framework version)
endif()
