# Linux: the backends of src/platform, the window's module and the program.
find_package(ALSA REQUIRED)
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(Qt6 REQUIRED COMPONENTS Widgets)
find_library(CHM_LIBRARY chm REQUIRED)
find_path(CHM_INCLUDE_DIR chm_lib.h REQUIRED)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET GLOBAL sndfile)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)

# One target per backend folder.

# POSIX: the settings file, process information, child programs.
add_library(sonaru_posix STATIC
  platform/posix/posix_profile_file.cpp
  platform/posix/posix_process.cpp
  platform/posix/whole_file.cpp
  platform/posix/child_process.cpp
)
target_link_libraries(sonaru_posix PUBLIC sonaru_core)

# The task scheduler on the user's systemd instance.
add_library(sonaru_systemd STATIC platform/systemd/systemd_scheduler.cpp)
target_link_libraries(sonaru_systemd PUBLIC sonaru_posix)

# The mixer on the ALSA simple mixer.
add_library(sonaru_alsa STATIC platform/alsa/alsa_mixer.cpp)
target_link_libraries(sonaru_alsa PUBLIC sonaru_core ALSA::ALSA)

# Compiled help files read through libchm, for the Qt help viewer.
add_library(sonaru_chm STATIC platform/chm/chm_file.cpp platform/chm/chm_link.cpp)
target_include_directories(sonaru_chm PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} PRIVATE ${CHM_INCLUDE_DIR})
target_link_libraries(sonaru_chm PUBLIC sonaru_common PRIVATE ${CHM_LIBRARY})

# Qt 6 Widgets: the window toolkit, message boxes and the help viewer.
# Whether a display answers is asked without Qt, by the program before it loads the module.
add_library(sonaru_qt_display STATIC platform/qt/qt_display.cpp)
target_include_directories(sonaru_qt_display PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(sonaru_qt_display PRIVATE Threads::Threads)
add_library(sonaru_qt STATIC
  platform/qt/qt_application.cpp
  platform/qt/qt_fonts.cpp
  platform/qt/qt_form.cpp
  platform/qt/qt_pictures.cpp
  platform/qt/qt_toolkit.cpp
  platform/qt/qt_message_box.cpp
  platform/qt/qt_help_browser.cpp
  platform/qt/qt_help_viewer.cpp
)
target_link_libraries(sonaru_qt PUBLIC sonaru_core sonaru_qt_display sonaru_chm Qt6::Widgets
  PRIVATE sonaru_pictures PkgConfig::FONTCONFIG Threads::Threads)

# Sounds: libsndfile decodes, ALSA plays, on a thread of their own.
add_library(sonaru_sndfile STATIC platform/sndfile/sndfile_sound.cpp)
# libsndfile is loaded with the first sound (dlopen): its header only at build time.
target_include_directories(sonaru_sndfile PRIVATE ${SNDFILE_INCLUDE_DIRS})
target_link_libraries(sonaru_sndfile PUBLIC sonaru_core PRIVATE ALSA::ALSA Threads::Threads ${CMAKE_DL_LIBS})

# The program: every service's Linux backend wired once, for the program and for the tests that run it
# whole. The window's backends (Qt, libchm, the sound) are a module that only a run needing a display
# loads, found beside the program in a build tree and in lib/sonaru once installed.
set(SONARU_MODULE_DESTINATION lib/sonaru)
file(RELATIVE_PATH module_folder ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${SONARU_MODULE_DESTINATION})
add_library(sonaru_linux STATIC app/linux_services.cpp app/window_gate.cpp)
target_link_libraries(sonaru_linux PUBLIC sonaru_posix sonaru_alsa sonaru_systemd sonaru_qt_display ${CMAKE_DL_LIBS})
target_compile_definitions(sonaru_linux PRIVATE SONARU_MODULE_FOLDER="${module_folder}")

add_library(sonaru_window MODULE app/window_module_entry.cpp)
target_link_libraries(sonaru_window PRIVATE sonaru_qt sonaru_sndfile -Wl,--exclude-libs,ALL)
set_target_properties(sonaru_window PROPERTIES
  PREFIX "" OUTPUT_NAME sonaru-window
  LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}
  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
install(TARGETS sonaru_window LIBRARY DESTINATION ${SONARU_MODULE_DESTINATION})

add_executable(sonaru app/main.cpp)
# The C++ runtime and libgcc are linked in: mapping libstdc++.so and running libgcc_s's start-up would
# cost a windowless run more than the rest of its start. The window's module brings the shared ones with
# Qt; no exception crosses between the two.
target_link_libraries(sonaru PRIVATE sonaru_linux -static-libstdc++ -static-libgcc)
add_dependencies(sonaru sonaru_window)
# At the top of the build tree, where a user looks for it after a plain build, with its module beside it.
set_target_properties(sonaru PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
install(TARGETS sonaru RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
