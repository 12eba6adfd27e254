# What is installed, and the package that CPack makes of it (cmake --build build --target
# package): a Debian package, or on Windows a zip of the game with its manual as text.

if(WIN32)
  # The manual, rendered where the game is built: Windows has no reader for the page.
  set(manuel_texte ${PROJECT_BINARY_DIR}/allumettes.txt)
  add_custom_command(OUTPUT ${manuel_texte}
    COMMAND groff -k -mandoc -Tutf8 -P-cbou ${PROJECT_SOURCE_DIR}/allumettes.6 > ${manuel_texte}
    DEPENDS ${PROJECT_SOURCE_DIR}/allumettes.6
    VERBATIM)
  add_custom_target(documents ALL DEPENDS ${manuel_texte})
  add_dependencies(allumettes documents)
  install(TARGETS allumettes RUNTIME DESTINATION .)
  install(FILES ${manuel_texte} packaging/copyright DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME allumettes)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_STRIP_FILES ON)
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
install(FILES ${PROJECT_BINARY_DIR}/allumettes.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME allumettes)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Les auteurs d'allumettes <allumettes@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jeu des allumettes contre l'ordinateur, en console")
file(READ ${CMAKE_CURRENT_LIST_DIR}/description CPACK_PACKAGE_DESCRIPTION)
include(CPack)
