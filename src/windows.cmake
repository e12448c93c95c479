# Windows: the backends of src/platform/win32 and the program, built with MinGW-w64 (cmake/mingw-w64.cmake).

# Every service on the Win32 API: the mixer and sounds on winmm, VOL on Core Audio where it serves (ids
# from the headers' __uuidof, no import library); the settings file, process information,
# message boxes, the console and the help (hhctrl.ocx, loaded when first asked); the window's toolkit with
# its pictures compiled in from resources/; the task scheduler, Task Scheduler 1.0 through mstask's COM
# classes, else 2.0 through taskschd's.
add_library(sonaru_win32 STATIC
  platform/win32/winmm_mixer.cpp
  platform/win32/endpoint_volume.cpp
  platform/win32/wide_text.cpp
  platform/win32/unique_handle.cpp
  platform/win32/win32_profile_file.cpp
  platform/win32/win32_process.cpp
  platform/win32/win32_message_box.cpp
  platform/win32/win32_console.cpp
  platform/win32/win32_sound.cpp
  platform/win32/win32_help_viewer.cpp
  platform/win32/win32_desktop.cpp
  platform/win32/win32_toolkit.cpp
  platform/win32/win32_form.cpp
  platform/win32/win32_window_messages.cpp
  platform/win32/win32_dpi.cpp
  platform/win32/win32_picture_box.cpp
  platform/win32/win32_pictures.cpp
  platform/win32/xpm_picture.cpp
  platform/win32/win32_accessible_names.cpp
  platform/win32/com.cpp
  platform/win32/mstask_store.cpp
  platform/win32/task_xml.cpp
  platform/win32/taskschd_store.cpp
  platform/win32/win32_scheduler.cpp
)
target_link_libraries(sonaru_win32 PUBLIC sonaru_core
  PRIVATE sonaru_pictures shell32 ole32 oleaut32 uuid advapi32 user32 gdi32 comctl32 winmm taskschd)
# Every file here and in its users that includes windows.h gets the lean header, without min and max macros.
target_compile_definitions(sonaru_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)

# The program: every service's Windows backend wired once, for the program and for the tests that run it
# whole. A program of the GUI subsystem, so that no console window opens when it starts from a shortcut;
# its icon, version and manifest come from a resource file.
add_library(sonaru_windows STATIC app/windows_services.cpp)
target_link_libraries(sonaru_windows PUBLIC sonaru_win32)

add_executable(sonaru WIN32 app/windows_main.cpp app/sonaru.rc)
target_link_libraries(sonaru PRIVATE sonaru_windows)
set_source_files_properties(app/sonaru.rc PROPERTIES
  COMPILE_DEFINITIONS "SONARU_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};SONARU_VERSION_MINOR=${PROJECT_VERSION_MINOR};SONARU_VERSION_PATCH=${PROJECT_VERSION_PATCH}"
  OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/app/sonaru.manifest;${PROJECT_SOURCE_DIR}/resources/sonaru.ico")
target_include_directories(sonaru PRIVATE ${PROJECT_SOURCE_DIR}/resources)
# At the top of the build tree, where a user looks for it after a plain build.
set_target_properties(sonaru PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
install(TARGETS sonaru RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
