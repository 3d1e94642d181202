# The Windows copy: everything the programs need stands in one folder, as a Windows user
# unpacks or installs it. The build folder's bin/ is laid out the same way, so the programs
# and the tests run from it under Wine as they will from the copy.
#   KivManager.exe, kivnvm.exe, kiv-linkhost-win64.exe, kiv-linkhost-win32.exe
#   Qt's and the compiler's DLLs, Qt's plugins in platforms\, styles\, imageformats\
#   translations\ (ours and Qt's own), virtual-phone\gbp.dll, README.txt

# The compiler's runtime, which Qt's DLLs and ours load.
set(kiv_runtime_dlls)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} names no ${dll}")
  endif()
  get_filename_component(found "${found}" REALPATH)
  list(APPEND kiv_runtime_dlls "${found}")
endforeach()

set(kiv_qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets)
# Each plugin with the folder it is looked for in beside the program.
set(kiv_qt_plugins
  platforms Qt6::QWindowsIntegrationPlugin
  platforms Qt6::QOffscreenIntegrationPlugin
  styles Qt6::QWindowsVistaStylePlugin
  imageformats Qt6::QGifPlugin
  imageformats Qt6::QICOPlugin)
# Qt's own texts in the languages we have a catalogue of, from the host's Qt of the same
# version.
set(kiv_qt_catalogues)
foreach(ts IN LISTS kiv_ts_files)
  get_filename_component(name ${ts} NAME_WE)
  string(REPLACE "kivmanager_" "" language ${name})
  set(catalogue /usr/share/qt6/translations/qtbase_${language}.qm)
  if(EXISTS ${catalogue})
    list(APPEND kiv_qt_catalogues ${catalogue})
  endif()
endforeach()

# Into bin/ at build time, for the tests and for running from the build folder.
set(kiv_copy_commands)
foreach(file IN LISTS kiv_runtime_dlls)
  list(APPEND kiv_copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file}
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endforeach()
foreach(library IN LISTS kiv_qt_libraries)
  list(APPEND kiv_copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
    $<TARGET_FILE:${library}> ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endforeach()
if(BUILD_TESTING)
  list(APPEND kiv_copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
    $<TARGET_FILE:Qt6::Test> ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endif()
set(rest ${kiv_qt_plugins})
while(rest)
  list(POP_FRONT rest folder plugin)
  list(APPEND kiv_copy_commands
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}>
      ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder})
  install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder})
endwhile()
foreach(catalogue IN LISTS kiv_qt_catalogues)
  list(APPEND kiv_copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${catalogue}
    ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/translations)
endforeach()
add_custom_target(kiv-windows-runtime ALL ${kiv_copy_commands}
  COMMENT "Putting Qt's and the compiler's DLLs beside the programs" VERBATIM)

install(TARGETS KivManager kivnvm kiv-linkhost RUNTIME DESTINATION .)
install(TARGETS gbp RUNTIME DESTINATION ${KIV_PRIVATE_LIBDIR})
if(TARGET kiv-linkhost-win32)
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/kiv-linkhost-win32.exe DESTINATION .)
endif()
install(FILES ${kiv_runtime_dlls} DESTINATION .)
foreach(library IN LISTS kiv_qt_libraries)
  install(FILES $<TARGET_FILE:${library}> DESTINATION .)
endforeach()
install(FILES ${kiv_qm_files} ${kiv_qt_catalogues} DESTINATION ${KIV_TRANSLATIONS_DIR})
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/README.txt.in
  ${CMAKE_BINARY_DIR}/packaging/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/packaging/README.txt LICENSE DESTINATION .)
