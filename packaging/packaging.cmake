# What is installed, and the package that CPack makes of it (cmake --build build --target
# package): a Debian package, or on Windows a zip of the game with its manual as text.

# Every time stamp in a package is the release's own date, that of the newest entry of
# the changelog, so that two builds give the same bytes; a SOURCE_DATE_EPOCH given when the
# package is made wins. CPack reads the variable while it makes the archives.
file(STRINGS packaging/changelog signatures REGEX "^ -- ")
list(GET signatures 0 signature)
string(REGEX REPLACE "^ -- .*>  " "" date_de_la_version "${signature}")
execute_process(COMMAND date -u -d "${date_de_la_version}" +%s
  OUTPUT_VARIABLE epoque_de_la_version OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE statut_date ERROR_QUIET)
if(NOT statut_date EQUAL 0 OR NOT epoque_de_la_version MATCHES "^[0-9]+$")
  message(WARNING "GNU date cannot read the newest changelog date (${date_de_la_version}): "
    "packages made here are dated when they are made")
else()
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/date_du_paquet.cmake CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} @epoque_de_la_version@)
endif()
]] @ONLY)
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/date_du_paquet.cmake)
endif()

set(CPACK_PACKAGE_NAME allumettes)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # The manual, rendered where the game is built, for the Windows player: the same page with
  # its Windows switch on, as UTF-8 text with a byte order mark and CR LF line ends, which
  # every Notepad reads with its accents.
  set(manuel_texte ${PROJECT_BINARY_DIR}/allumettes.txt)
  add_custom_command(OUTPUT ${manuel_texte}
    COMMAND sh -c "printf '\\357\\273\\277'; groff -k -mandoc -Tutf8 -P-cbou -rwindows=1 \"$0\" | sed 's/$/\\r/'"
            ${PROJECT_SOURCE_DIR}/allumettes.6 > ${manuel_texte}
    DEPENDS ${PROJECT_SOURCE_DIR}/allumettes.6
    VERBATIM)
  # The copyright file as Windows names a text file, with its line ends.
  set(copyright_texte ${PROJECT_BINARY_DIR}/copyright.txt)
  add_custom_command(OUTPUT ${copyright_texte}
    COMMAND sed "s/$/\\r/" ${PROJECT_SOURCE_DIR}/packaging/copyright > ${copyright_texte}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/copyright
    VERBATIM)
  add_custom_target(documents ALL DEPENDS ${manuel_texte} ${copyright_texte})
  add_dependencies(allumettes documents)
  install(TARGETS allumettes RUNTIME DESTINATION .)
  install(FILES ${manuel_texte} ${copyright_texte} DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  include(CPack)
  return()
endif()

# The manual page and the changelog go out compressed as Debian wants them: at the highest
# level, and without the name and date that would make two builds differ.
set(documents_compresses)
foreach(document allumettes.6 packaging/changelog)
  get_filename_component(nom ${document} NAME)
  set(compresse ${PROJECT_BINARY_DIR}/${nom}.gz)
  add_custom_command(OUTPUT ${compresse}
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/${document} > ${compresse}
    DEPENDS ${PROJECT_SOURCE_DIR}/${document}
    VERBATIM)
  list(APPEND documents_compresses ${compresse})
endforeach()
add_custom_target(documents ALL DEPENDS ${documents_compresses})
# Building the game is enough to install it.
add_dependencies(allumettes documents)

install(TARGETS allumettes RUNTIME DESTINATION games)
# A stripped install (the package, or cmake --install --strip) is stripped as Debian strips
# its programs: the symbols, and also the compiler's comment and note sections (which
# Apple's strip cannot name, and Apple's binaries do not have).
if(NOT APPLE)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/allumettes\")
    endif()")
endif()
install(FILES ${PROJECT_BINARY_DIR}/allumettes.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
# What lintian reports of the package and is not a fault, each said why in the file. Only
# lintian reads it, and only in the package: a plain install leaves it out.
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME allumettes COMPONENT paquet_debian EXCLUDE_FROM_ALL)


set(CPACK_GENERATOR DEB)
# One package of both the files every install puts in place and the package's own.
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${PROJECT_BINARY_DIR};allumettes;Unspecified;/;${PROJECT_BINARY_DIR};allumettes;paquet_debian;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Les auteurs d'allumettes <allumettes@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jeu des allumettes contre l'ordinateur, en console")
file(READ ${CMAKE_CURRENT_LIST_DIR}/description CPACK_PACKAGE_DESCRIPTION)
include(CPack)
