# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# What is installed (cmake --install, and the Debian package that debian/ builds from it),
# and on Windows the zip that CPack makes of the game with its manual as text.

set(CPACK_PACKAGE_NAME allumettes)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # Every time stamp in the zip is the release's date (ALLUMETTES_DATE, from the changelog),
  # so that two builds give the same bytes (a SOURCE_DATE_EPOCH given when the zip is made
  # wins; CPack reads it while it makes it).
  execute_process(COMMAND date -u -d "${ALLUMETTES_DATE}" +%s
    OUTPUT_VARIABLE epoque_de_la_version OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(epoque_de_la_version MATCHES "^[0-9]+$")
    file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/date_du_paquet.cmake CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} @epoque_de_la_version@)
endif()
]] @ONLY)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/date_du_paquet.cmake)
  endif()
  include(packaging/windows.cmake)
  set(CPACK_GENERATOR ZIP)
  include(CPack)
  return()
endif()

# The manual page and the changelog go out compressed as Debian wants them: at the highest
# level, and without the name and date that would make two builds differ.
set(documents_compresses)
foreach(document allumettes.6:allumettes.6.gz CHANGELOG.md:changelog.gz)
  string(REPLACE ":" ";" document "${document}")
  list(GET document 0 source)
  list(GET document 1 compresse)
  set(compresse ${PROJECT_BINARY_DIR}/${compresse})
  add_custom_command(OUTPUT ${compresse}
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/${source} > ${compresse}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND documents_compresses ${compresse})
endforeach()
add_custom_target(documents ALL DEPENDS ${documents_compresses})
# Building the game is enough to install it.
add_dependencies(allumettes documents)

install(TARGETS allumettes RUNTIME DESTINATION games)
# A stripped install (cmake --install --strip) is stripped as Debian strips its programs:
# the symbols, and also the compiler's comment and note sections (which Apple's strip cannot
# name, and Apple's binaries do not have).
if(NOT APPLE)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/allumettes\")
    endif()")
endif()
install(FILES ${PROJECT_BINARY_DIR}/allumettes.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The desktop's menu: an entry that starts the game in a terminal, by its path where it is
# installed (known only then: cmake --install --prefix may choose another), its icon, and its
# description for software centres.
set(id_appstream org.example.allumettes)
install(CODE "
  set(ALLUMETTES_JEU \"\${CMAKE_INSTALL_PREFIX}/games/allumettes\")
  configure_file(\"${PROJECT_SOURCE_DIR}/data/allumettes.desktop.in\"
    \"${PROJECT_BINARY_DIR}/${id_appstream}.desktop\" @ONLY)")
install(FILES ${PROJECT_BINARY_DIR}/${id_appstream}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(data/allumettes.metainfo.xml.in ${PROJECT_BINARY_DIR}/${id_appstream}.metainfo.xml
  @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${id_appstream}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(icones ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES data/icones/allumettes.svg DESTINATION ${icones}/scalable/apps)
foreach(taille 16 32 48 64 128 256)
  install(FILES data/icones/allumettes-${taille}.png DESTINATION ${icones}/${taille}x${taille}/apps
    RENAME allumettes.png)
endforeach()
