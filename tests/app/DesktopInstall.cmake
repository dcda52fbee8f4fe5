# Installs the build under a fresh root as a package would (prefix /usr), then
# checks that every file is in place and that the desktop entry, the metainfo,
# the icon and the MIME type pass the freedesktop tools.
file(REMOVE_RECURSE "${ROOT}")
set(ENV{DESTDIR} "${ROOT}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix /usr OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(share "${ROOT}/usr/share")
foreach(file "${ROOT}/usr/bin/VelmarCarEditor" "${ROOT}/usr/bin/velmar-car" "${share}/metainfo/org.velmar.CarEditor.metainfo.xml"
             "${share}/icons/hicolor/scalable/apps/org.velmar.CarEditor.svg")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

foreach(check "desktop-file-validate;${share}/applications/org.velmar.CarEditor.desktop"
              "appstreamcli;validate-tree;--no-net;${ROOT}"
              "update-mime-database;${share}/mime")
  execute_process(COMMAND ${check} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed OR out MATCHES "error|warning")
    message(FATAL_ERROR "${check}:\n${out}")
  endif()
endforeach()

file(READ "${share}/mime/globs2" globs)
if(NOT globs MATCHES "application/x-velmar-car-library:\\*\\.car\n")
  message(FATAL_ERROR "no MIME type for *.car in:\n${globs}")
endif()
