# The layering check against a small house built to break each wall once: the check must
# fail and name every break, and pass on the same house mended.
# Run as: cmake -DCHECK=check_layers.cmake -DWORK=<empty folder> -P layers_selftest.cmake

function(put path text)
  file(WRITE "${WORK}/${path}" "${text}\n")
endfunction()

function(run_check out)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK} -DRULES= -DOPS= -DGUI_HEADERS=
                          -P ${CHECK}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${out} "${result}|${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
put(common/bytes.h "#include \"catalogue/slotmap.h\"")
put(catalogue/slotmap.h "#include \"common/bytes.h\"")
put(link/port.h "#include \"ufif/icons.h\"")
put(ufif/icons.h "#include \"transfer/limits.h\"")
put(transfer/limits.h "#include \"link/port.h\"")
put(cli/main.cpp "#include \"app/gridtext.h\"")
put(app/gridtext.h "#include \"common/bytes.h\"")
put(prefs/ui/prefform.h "class TPrefForm {\n public:\n  std::unique_ptr<Ui::TPrefForm> ui;\n};")

run_check(broken)
foreach(expected IN ITEMS
        "common/bytes.h includes catalogue/slotmap.h: common/ is the ground floor"
        "round a circle: catalogue, common"
        "round a circle: link, transfer, ufif"
        "cli/main.cpp includes the window's app/gridtext.h"
        "prefs/ui/prefform.h shows its form's ui outside the form")
  string(FIND "${broken}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "The check missed: ${expected}\n${broken}")
  endif()
endforeach()
if(broken MATCHES "^0\\|")
  message(FATAL_ERROR "The check passed a broken house:\n${broken}")
endif()

put(common/bytes.h "#pragma once")
put(transfer/limits.h "#pragma once")
put(cli/main.cpp "#include \"catalogue/slotmap.h\"")
put(prefs/ui/prefform.h "class TPrefForm {\n private:\n  std::unique_ptr<Ui::TPrefForm> ui;\n};")
run_check(mended)
if(NOT mended MATCHES "^0\\|")
  message(FATAL_ERROR "The check refused a sound house:\n${mended}")
endif()
file(REMOVE_RECURSE "${WORK}")
