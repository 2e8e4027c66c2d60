# The Windows programs: Tamrel.exe (the window) and tamrel.exe (the
# command-line tool), both linked statically so that they run on a bare
# Windows with the system DLLs only, plus the window test program.
enable_language(RC)

set(TAMREL_STATIC_LINK -static -static-libgcc -static-libstdc++)

# The window layer without WinMain, so the test program can link it.
file(GLOB TAMREL_UI_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/ui/*.cpp)
list(REMOVE_ITEM TAMREL_UI_SOURCES ${PROJECT_SOURCE_DIR}/src/ui/winmain.cpp)
add_library(tamrel_ui STATIC ${TAMREL_UI_SOURCES})
target_link_libraries(tamrel_ui PUBLIC tamrel_core user32 gdi32 comdlg32)
tamrel_layer_includes(tamrel_ui 5 PUBLIC)

# Resources go straight into each program: the linker would drop them from
# a library, as nothing refers to them by symbol.
set(TAMREL_RESOURCES ${PROJECT_SOURCE_DIR}/resources/tamrel.rc)
set_source_files_properties(${TAMREL_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/tamrel.ico;${PROJECT_SOURCE_DIR}/src/commands/command_ids.h")

add_executable(tamrel_gui WIN32 ${PROJECT_SOURCE_DIR}/src/ui/winmain.cpp ${TAMREL_RESOURCES})
target_include_directories(tamrel_gui PRIVATE ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(tamrel_gui PRIVATE tamrel_ui)
target_link_options(tamrel_gui PRIVATE ${TAMREL_STATIC_LINK} -mwindows)
# Tamrel.exe and tamrel.exe differ only in case: keep them in separate
# folders for case-insensitive file systems.
set_target_properties(tamrel_gui PROPERTIES OUTPUT_NAME Tamrel
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/gui)

target_link_options(tamrel PRIVATE ${TAMREL_STATIC_LINK})
set_target_properties(tamrel PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/cli)

if(TAMREL_TESTS)
  # Drives the real window, menu and dialog; run under Wine by
  # scripts/test_windows.sh.
  add_executable(tamrel_ui_test ${PROJECT_SOURCE_DIR}/tests/win32/ui_test.cpp ${TAMREL_RESOURCES})
  target_include_directories(tamrel_ui_test PRIVATE ${PROJECT_SOURCE_DIR}/resources)
  target_link_libraries(tamrel_ui_test PRIVATE tamrel_ui)
  target_link_options(tamrel_ui_test PRIVATE ${TAMREL_STATIC_LINK})
  set_target_properties(tamrel_ui_test PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

  # Drives a running Tamrel.exe from outside for scripts/screenshots.sh.
  add_executable(tamrel_drive_window ${PROJECT_SOURCE_DIR}/tests/win32/drive_window.cpp)
  target_include_directories(tamrel_drive_window PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(tamrel_drive_window PRIVATE user32)
  target_link_options(tamrel_drive_window PRIVATE ${TAMREL_STATIC_LINK})
  set_target_properties(tamrel_drive_window PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endif()
