# What `cmake --install` puts in place: the two programs, the virtual phone and the link
# host in their private folder, the desktop entry, icons, AppStream metainfo, man pages, bash
# completion and the licence. The packaging material lives in packaging/; the completion is
# made at build time.
set(KIV_APP_ID org.kivmanager.KivManager)
set(KIV_MAINTAINER "Kiv Manager developers <kiv-manager@example.org>")
set(KIV_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
# The release date of this version, from its heading in CHANGELOG.md.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/CHANGELOG.md)
file(STRINGS ${CMAKE_SOURCE_DIR}/CHANGELOG.md kiv_release
  REGEX "^## ${PROJECT_VERSION} - [0-9]+-[0-9]+-[0-9]+$")
if(NOT kiv_release)
  message(FATAL_ERROR "CHANGELOG.md has no heading '## ${PROJECT_VERSION} - YYYY-MM-DD'")
endif()
string(REGEX REPLACE "^.* - " "" KIV_RELEASE_DATE "${kiv_release}")
# Where AppStream software centres fetch the screenshot from; set it to the project's web
# home when publishing.
set(KIV_SCREENSHOT_URL "https://kiv-manager.example.org/screenshot.png"
  CACHE STRING "Web address of docs/screenshot.png, for the AppStream metainfo")

install(TARGETS KivManager kivnvm RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS gbp LIBRARY DESTINATION ${KIV_PRIVATE_LIBDIR} NAMELINK_SKIP)
# The link host beside it: the loader looks for it where it looks for the virtual phone.
install(TARGETS kiv-linkhost RUNTIME DESTINATION ${KIV_PRIVATE_LIBDIR})
# And the Windows hosts, 32-bit and 64-bit, when the cross compilers built them. Not
# executable by themselves: Wine runs them.
foreach(bits 32 64)
  if(TARGET kiv-linkhost-win${bits})
    install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/kiv-linkhost-win${bits}.exe
      DESTINATION ${KIV_PRIVATE_LIBDIR})
  endif()
endforeach()

install(FILES ${KIV_PACKAGING_DIR}/${KIV_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${KIV_PACKAGING_DIR}/${KIV_APP_ID}.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/${KIV_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KIV_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(kiv_icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${KIV_PACKAGING_DIR}/icons/${KIV_APP_ID}.svg DESTINATION ${kiv_icon_dir}/scalable/apps)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  install(FILES ${KIV_PACKAGING_DIR}/icons/${size}.png
    DESTINATION ${kiv_icon_dir}/${size}x${size}/apps RENAME ${KIV_APP_ID}.png)
endforeach()

# Made from kivnvm's command table (cli/CMakeLists.txt).
install(FILES ${KIV_COMPLETION}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kivnvm)

# Man pages and the changelog go compressed, as Debian wants them; gzip -n keeps the
# output the same from build to build. The changelog is CHANGELOG.md in Debian's format.
set(kiv_compressed)
foreach(page IN ITEMS kivnvm.1 KivManager.1)
  set(out ${CMAKE_BINARY_DIR}/packaging/${page})
  configure_file(${KIV_PACKAGING_DIR}/man/${page}.in ${out} @ONLY)
  add_custom_command(OUTPUT ${out}.gz
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${out} ${out}.gz
    DEPENDS ${out} VERBATIM)
  list(APPEND kiv_compressed ${out}.gz)
  install(FILES ${out}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
set(out ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${out}
  COMMAND sh -c "sh \"$1\" \"$2\" \"$3\" \"$4\" > \"$5.txt\" && gzip -9nc \"$5.txt\" > \"$5\"" sh
    ${KIV_PACKAGING_DIR}/debian-changelog.sh ${CMAKE_SOURCE_DIR}/CHANGELOG.md
    ${KIV_PACKAGE_NAME} ${KIV_MAINTAINER} ${out}
  DEPENDS ${KIV_PACKAGING_DIR}/debian-changelog.sh ${CMAKE_SOURCE_DIR}/CHANGELOG.md VERBATIM)
list(APPEND kiv_compressed ${out})
install(FILES ${out} DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Everything `cmake --install` needs besides the programs; `cmake --build` makes it too.
add_custom_target(kiv_install_files ALL DEPENDS ${kiv_compressed})
add_dependencies(kiv_install_files KivManager kivnvm kivnvm_completion gbp kiv-linkhost)
foreach(bits 32 64)
  if(TARGET kiv-linkhost-win${bits})
    add_dependencies(kiv_install_files kiv-linkhost-win${bits})
  endif()
endforeach()

# The licence: the full text, and the copyright file in the form Debian wants.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${KIV_PACKAGING_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
