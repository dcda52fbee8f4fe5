# Runs lupdate over the sources into a copy of a translation file and fails on
# any text it leaves untranslated (new in the sources) or finds vanished.
configure_file("${TS}" "${COPY}" COPYONLY)
execute_process(COMMAND "${LUPDATE}" -silent -locations none "${SOURCES}" -ts "${COPY}" RESULT_VARIABLE failed
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(failed)
  message(FATAL_ERROR "lupdate failed:\n${out}")
endif()
file(READ "${COPY}" text)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"(unfinished|vanished|obsolete)\"" faults "${text}")
if(faults)
  string(REPLACE ";<source>" "\n<source>" faults "${faults}")
  message(FATAL_ERROR "${TS} and the sources disagree (build the target app_lupdate, then translate):\n${faults}")
endif()
