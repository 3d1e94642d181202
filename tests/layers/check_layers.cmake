# The layers the build keeps apart, checked over the sources as they stand:
# - the rules and the operations (RULES, OPS: lists of sources) include no Qt Gui or
#   Widgets header, no generated form header and no main window header;
# - the window's code outside app/ names neither TForm1's members nor Form1, and no form
#   includes another form's generated header;
# - only the link opens and closes the phone link by hand.
# Run as: cmake -DSOURCE_DIR=... -DRULES=a.cpp|b.h -DOPS=... -DGUI_HEADERS=dir|dir -P check_layers.cmake

foreach(list IN ITEMS RULES OPS GUI_HEADERS)
  string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
set(problems "")

function(report text)
  set(problems "${problems}\n  ${text}" PARENT_SCOPE)
endfunction()

function(includes_of file out)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
  set(names "")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
      list(APPEND names "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

foreach(source IN LISTS RULES OPS)
  includes_of("${source}" names)
  foreach(name IN LISTS names)
    if(name MATCHES "^ui_.*\\.h$" OR name STREQUAL "app/mainwindow.h" OR name MATCHES "/ui/")
      report("${source} includes ${name}")
    endif()
    foreach(dir IN LISTS GUI_HEADERS)
      if(EXISTS "${dir}/${name}" AND NOT IS_DIRECTORY "${dir}/${name}")
        report("${source} includes the Gui/Widgets header ${name}")
      endif()
    endforeach()
  endforeach()
endforeach()

file(GLOB_RECURSE window_sources RELATIVE "${SOURCE_DIR}"
     "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
list(FILTER window_sources EXCLUDE REGEX "^(build[^/]*|tests|fuzz|bench|phone)/")
foreach(source IN LISTS window_sources)
  file(READ "${SOURCE_DIR}/${source}" text)
  get_filename_component(folder "${source}" DIRECTORY)
  get_filename_component(stem "${source}" NAME_WE)
  if(NOT folder STREQUAL "app")
    if(text MATCHES "TForm1::")
      report("${source} defines a TForm1 member outside app/")
    endif()
    if(text MATCHES "[^A-Za-z_]Form1[^A-Za-z_0-9]")
      report("${source} uses Form1 outside app/")
    endif()
  endif()
  includes_of("${SOURCE_DIR}/${source}" names)
  foreach(name IN LISTS names)
    # TForm1 is written in several files of app/, all of them its own.
    if(folder STREQUAL "app" AND name STREQUAL "ui_mainwindow.h")
      continue()
    endif()
    if(name MATCHES "^ui_(.*)\\.h$" AND NOT CMAKE_MATCH_1 STREQUAL stem)
      report("${source} includes another form's ${name}")
    endif()
  endforeach()
  if(NOT folder STREQUAL "link" AND text MATCHES "(InitGBP|EndGBP)\\(")
    report("${source} opens or closes the link by hand")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "Layering broken:${problems}")
endif()
list(LENGTH window_sources count)
message(STATUS "Layers kept over ${count} sources")
