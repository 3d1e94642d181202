# Fails unless the library exports exactly the six functions of the phone-link contract,
# under their plain names, and the marks given in -DMARKS=... (the virtual phone's
# KivDemoPhone). Run with -DLIBRARY=... and either -DNM=... (a shared object's dynamic symbol
# table) or -DOBJDUMP=... (a Windows DLL's export table).
if(OBJDUMP)
  execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
  # The table of names runs from its heading to the first empty line.
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" listing "${listing}")
else()
  execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
    OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
endif()
if(failed)
  message(FATAL_ERROR "listing the exports of ${LIBRARY} failed")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
if(OBJDUMP AND lines)
  list(REMOVE_AT lines 0)  # the heading
endif()
set(names)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND names ${name})
endforeach()
list(SORT names)
set(expected ClearNVMFile EndGBPMode GetNVMFileSize InitGBPMode ReadNVMFile WriteNVMFile ${MARKS})
list(SORT expected)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports [${names}], expected [${expected}]")
endif()
