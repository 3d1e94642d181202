# Fails unless the library's dynamic symbol table defines exactly the six functions of the
# phone-link contract. Run with -DNM=... -DLIBRARY=...
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(names)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND names ${name})
endforeach()
list(SORT names)
set(expected ClearNVMFile EndGBPMode GetNVMFileSize InitGBPMode ReadNVMFile WriteNVMFile)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "libgbp exports [${names}], expected [${expected}]")
endif()
