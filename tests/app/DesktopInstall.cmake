# Installs the build under a fresh root as a package would (prefix /usr), then
# checks that every file is in place, that the desktop entry, the metainfo,
# the icon and the MIME type pass the freedesktop tools, and that each manual
# page renders without a warning and names every command and option its
# program's --help lists.
file(REMOVE_RECURSE "${ROOT}")
set(ENV{DESTDIR} "${ROOT}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix /usr OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(share "${ROOT}/usr/share")
foreach(file "${ROOT}/usr/bin/VelmarCarEditor" "${ROOT}/usr/bin/velmar-car" "${share}/metainfo/org.velmar.CarEditor.metainfo.xml"
             "${share}/icons/hicolor/scalable/apps/org.velmar.CarEditor.svg"
             "${share}/bash-completion/completions/velmar-car")
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

foreach(program VelmarCarEditor velmar-car)
  execute_process(COMMAND sh -c "gzip -dc \"$0\" | groff -man -ww -Tascii -P-cbou" "${share}/man/man1/${program}.1.gz"
                  RESULT_VARIABLE failed OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
  if(failed OR warnings)
    message(FATAL_ERROR "${program}(1) does not render cleanly:\n${warnings}")
  endif()
  execute_process(COMMAND "${ROOT}/usr/bin/${program}" --help OUTPUT_VARIABLE help)
  # "  list LIB" and "  -h, --help  ..." lines: a command with its arguments, or an option.
  string(REGEX MATCHALL "\n  (-[-a-z]+(, -[-a-z]+)*|[a-z][-a-z]*( [A-Z][.A-Za-z]*)+)" listed "${help}")
  if(NOT listed)
    message(FATAL_ERROR "no command or option in ${program} --help:\n${help}")
  endif()
  foreach(entry IN LISTS listed)
    string(STRIP "${entry}" entry)
    string(FIND "${page}" "${entry}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${program}(1) lacks \"${entry}\", which --help lists")
    endif()
  endforeach()
endforeach()
