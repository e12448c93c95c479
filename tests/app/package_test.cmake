# Builds the Debian package from the build tree, unpacks it and runs the program it ships; the package
# depends on the packages of the libraries that the program links. The folder is removed when all is well.
# Run with -DCPACK=... -DBUILD_DIR=... -DOUT=... -DVERSION=...
file(REMOVE_RECURSE ${OUT})
execute_process(
  COMMAND ${CPACK} -G DEB -B ${OUT}
  WORKING_DIRECTORY ${BUILD_DIR}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
)
file(GLOB deb ${OUT}/sonaru_${VERSION}_*.deb)
if(NOT result EQUAL 0 OR NOT deb)
  message(FATAL_ERROR "cpack -G DEB made no sonaru_${VERSION}_*.deb (${result}):\n${output}")
endif()

execute_process(COMMAND dpkg-deb -f ${deb} Depends OUTPUT_VARIABLE depends COMMAND_ERROR_IS_FATAL ANY)
foreach(library libasound2 libqt6widgets6 libsndfile1)
  if(NOT depends MATCHES "(^|, )${library}[ ,\n]")
    message(FATAL_ERROR "the package does not depend on ${library}: ${depends}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -x ${deb} ${OUT}/root COMMAND_ERROR_IS_FATAL ANY)
execute_process(
  COMMAND ${OUT}/root/usr/bin/sonaru --version
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
)
if(NOT result EQUAL 0 OR NOT output MATCHES "${VERSION}")
  message(FATAL_ERROR "the packaged program does not run (${result}):\n${output}")
endif()

# The login restore unit starts the program where dpkg puts it, not in the folder the package was made in.
file(STRINGS ${OUT}/root/usr/lib/systemd/user/sonaru-restore.service exec REGEX "^ExecStart=")
if(NOT exec STREQUAL "ExecStart=/usr/bin/sonaru /Rest")
  message(FATAL_ERROR "the packaged login restore unit starts '${exec}'")
endif()

file(REMOVE_RECURSE ${OUT})
