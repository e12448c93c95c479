# Installs the build into an empty prefix and checks that every shipped file lands where the desktop,
# man and the program look for it; the prefix is left for the tests of the installed program.
# Run with -DBUILD_DIR=... -DPREFIX=... -DWITH_HELP=ON|OFF.
file(REMOVE_RECURSE ${PREFIX})
execute_process(
  COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

set(shipped
  "bin/sonaru"
  "lib/sonaru/sonaru-window.so"
  "share/sonaru/ding.wav=${BUILD_DIR}/ding.wav"
  "share/applications/sonaru.desktop"
  "share/icons/hicolor/scalable/apps/sonaru.svg"
  "share/icons/hicolor/48x48/apps/sonaru.png"
  "share/man/man1/sonaru.1"
  "share/metainfo/sonaru.metainfo.xml"
  "lib/systemd/user/sonaru-restore.service"
)
if(WITH_HELP)
  list(APPEND shipped "share/sonaru/Sonaru.CHM=${BUILD_DIR}/Sonaru.CHM")
elseif(EXISTS ${PREFIX}/share/sonaru/Sonaru.CHM)
  message(FATAL_ERROR "a build without chmcmd installed a help file")
endif()

foreach(entry IN LISTS shipped)
  string(REPLACE "=" ";" parts ${entry})
  list(GET parts 0 file)
  if(NOT EXISTS ${PREFIX}/${file} OR IS_DIRECTORY ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
  list(LENGTH parts count)
  if(count EQUAL 2)
    list(GET parts 1 built)
    file(SHA256 ${PREFIX}/${file} installed_hash)
    file(SHA256 ${built} built_hash)
    if(NOT installed_hash STREQUAL built_hash)
      message(FATAL_ERROR "${file} differs from the built ${built}")
    endif()
  endif()
endforeach()

# The installed program runs from the prefix.
execute_process(COMMAND ${PREFIX}/bin/sonaru --version RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed program does not run (${result}):\n${output}")
endif()

# The menu starts the program and shows its icon by the names that the desktop entry gives, under Audio/Mixer.
file(READ ${PREFIX}/share/applications/sonaru.desktop entry)
foreach(key Exec Icon Categories)
  string(REGEX MATCH "\n${key}=([^\n ]*)" line "\n${entry}")
  set(desktop_${key} "${CMAKE_MATCH_1}")
endforeach()
if(NOT EXISTS ${PREFIX}/bin/${desktop_Exec})
  message(FATAL_ERROR "the desktop entry starts '${desktop_Exec}', not the installed program")
endif()
file(GLOB icons ${PREFIX}/share/icons/hicolor/*/apps/${desktop_Icon}.*)
if(NOT icons)
  message(FATAL_ERROR "the desktop entry's icon '${desktop_Icon}' is not in the hicolor theme")
endif()
if(NOT desktop_Categories MATCHES "(^|;)Audio;" OR NOT desktop_Categories MATCHES "(^|;)Mixer;")
  message(FATAL_ERROR "the desktop entry is not under Audio/Mixer: ${desktop_Categories}")
endif()

# Software centres start the program through the desktop entry that the metainfo names.
file(READ ${PREFIX}/share/metainfo/sonaru.metainfo.xml metainfo)
string(REGEX MATCH "<launchable type=\"desktop-id\">([^<]+)</launchable>" launchable "${metainfo}")
if(NOT launchable OR NOT EXISTS ${PREFIX}/share/applications/${CMAKE_MATCH_1})
  message(FATAL_ERROR "the metainfo launches '${CMAKE_MATCH_1}', not the installed desktop entry")
endif()
