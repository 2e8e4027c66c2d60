# What "cmake --install" puts where, and the release packages cpack makes
# from it:
#   Linux            a Debian package of the command-line tool with its
#                    manual page, bash completion, README and LICENSE;
#   Windows (MinGW)  a zip of Tamrel.exe, tamrel.exe, README and LICENSE.
# scripts/package.sh makes both, and the Windows installer from the same
# install tree (packaging/tamrel.nsi).
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME tamrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tamrel developers")
set(CPACK_PACKAGE_CONTACT "The Tamrel developers <support@tamrel.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.tamrel.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "extract, compare and clean BibTeX references of LaTeX documents")
set(CPACK_PACKAGE_DESCRIPTION
  "Tamrel extracts the entries a LaTeX document cites from a BibTeX library,
with a list of bibitems in the style of APS, ACS or IOP journals; compares two
BibTeX files entry by entry; and cleans a library of repeated entries.
It never changes its input files.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # Tamrel.exe and tamrel.exe differ only in letter case, and a Windows
  # folder cannot hold both: the command-line tool gets a folder of its own.
  if(TARGET tamrel_gui)
    install(TARGETS tamrel_gui RUNTIME DESTINATION .)
  endif()
  install(TARGETS tamrel RUNTIME DESTINATION cli)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  # Named so that a double click opens it.
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Tamrel-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  install(TARGETS tamrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The package's name, in lower case (CMAKE_INSTALL_DOCDIR would take the
  # project's).
  set(TAMREL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tamrel)

  # Manual pages are installed compressed; -n leaves the time and name out
  # of the header, so the same page gives the same bytes.
  find_program(TAMREL_GZIP gzip)
  if(NOT TAMREL_GZIP)
    message(FATAL_ERROR "gzip is needed to install the manual page")
  endif()
  set(TAMREL_MAN_PAGE ${CMAKE_BINARY_DIR}/man/tamrel.1.gz)
  add_custom_command(OUTPUT ${TAMREL_MAN_PAGE}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/tamrel.1 ${CMAKE_BINARY_DIR}/man/tamrel.1
    COMMAND ${TAMREL_GZIP} -9nf ${CMAKE_BINARY_DIR}/man/tamrel.1
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/tamrel.1
    COMMENT "Compressing the manual page"
    VERBATIM)
  add_custom_target(tamrel_man ALL DEPENDS ${TAMREL_MAN_PAGE})
  install(FILES ${TAMREL_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  install(FILES ${PROJECT_SOURCE_DIR}/completion/tamrel
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
    DESTINATION ${TAMREL_DOC_DIR})
  # Debian looks for the license terms under this name.
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${TAMREL_DOC_DIR}
    RENAME copyright)

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tamrel developers <support@tamrel.org>")
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tamrel.org")
  set(CPACK_DEBIAN_PACKAGE_SECTION tex)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The C and C++ libraries the tool links, as dpkg-shlibdeps reads them
  # from the binary.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
endif()

include(CPack)
