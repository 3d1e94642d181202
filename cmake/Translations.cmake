# The catalogues of the program's texts: each translations/kivmanager_LANG.ts is compiled with
# lrelease (Debian's qt6-l10n-tools) into bin/translations/kivmanager_LANG.qm, where the
# programs find it in a build folder, and installed into share/kiv-manager/translations. A new
# language is one more .ts file; the View > Language menu and kivnvm find it by its file.
find_program(KIV_LRELEASE NAMES lrelease-qt6 lrelease
  HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/bin REQUIRED)
file(GLOB kiv_ts_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/translations/kivmanager_*.ts)
set(kiv_qm_files)
file(MAKE_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/translations)
foreach(ts IN LISTS kiv_ts_files)
  get_filename_component(name ${ts} NAME_WE)
  set(qm ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/translations/${name}.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND ${KIV_LRELEASE} -silent ${ts} -qm ${qm}
    DEPENDS ${ts}
    COMMENT "Compiling the catalogue ${name}"
    VERBATIM)
  list(APPEND kiv_qm_files ${qm})
endforeach()
add_custom_target(kiv-translations ALL DEPENDS ${kiv_qm_files})
add_dependencies(KivManager kiv-translations)
add_dependencies(kivnvm kiv-translations)
install(FILES ${kiv_qm_files} DESTINATION ${KIV_TRANSLATIONS_DIR})
