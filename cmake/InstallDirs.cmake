# Where an installed Kiv Manager puts its files (GNU layout under the prefix).
#
# The virtual phone is no library for other programs, so it goes to a private folder. The
# loader finds it there relative to its own executable, so an installed tree still works
# when moved as a whole: a DESTDIR, a package, an unpacked copy.
set(KIV_PACKAGE_NAME kiv-manager)
if(WIN32)
  # A Windows copy keeps everything in the program's folder, as Windows programs do; the
  # virtual phone in a folder of its own, so that a gbp.dll the user puts beside the program
  # is never ours.
  set(KIV_PRIVATE_LIBDIR virtual-phone)
  set(KIV_TRANSLATIONS_DIR translations)
  target_compile_definitions(kiv_options INTERFACE
    KIV_PRIVATE_LIBDIR_FROM_BINDIR="${KIV_PRIVATE_LIBDIR}"
    KIV_TRANSLATIONS_FROM_BINDIR="${KIV_TRANSLATIONS_DIR}")
  return()
endif()
include(GNUInstallDirs)
# Documentation goes by the package's name, not the project's, unless set on the command line.
if("$CACHE{CMAKE_INSTALL_DOCDIR}" STREQUAL "")
  set(CMAKE_INSTALL_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/${KIV_PACKAGE_NAME}")
endif()
set(KIV_PRIVATE_LIBDIR "${CMAKE_INSTALL_LIBDIR}/${KIV_PACKAGE_NAME}")
file(RELATIVE_PATH kiv_private_libdir_from_bindir
  "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}/${KIV_PACKAGE_NAME}")
target_compile_definitions(kiv_options INTERFACE
  KIV_PRIVATE_LIBDIR_FROM_BINDIR="${kiv_private_libdir_from_bindir}")
# The catalogues of the program's texts, found the same way.
set(KIV_TRANSLATIONS_DIR "${CMAKE_INSTALL_DATADIR}/${KIV_PACKAGE_NAME}/translations")
file(RELATIVE_PATH kiv_translations_from_bindir
  "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/${KIV_PACKAGE_NAME}/translations")
target_compile_definitions(kiv_options INTERFACE
  KIV_TRANSLATIONS_FROM_BINDIR="${kiv_translations_from_bindir}")
