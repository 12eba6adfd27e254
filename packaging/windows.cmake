# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# The Windows zip: the game, which holds its C and C++ runtimes, the manual rendered for the
# Windows player, and copyright.txt, the game's licence followed by the notices of the
# runtimes linked into it (MinGW-w64's, and GCC's libgcc and libstdc++ with their runtime
# library exception), as the distribution that built the compiler states them.

# The manual, rendered where the game is built, for the Windows player: the same page with
# its Windows switch on, as UTF-8 text with a byte order mark and CR LF line ends, which
# every Notepad reads with its accents.
set(manuel_texte ${PROJECT_BINARY_DIR}/allumettes.txt)
add_custom_command(OUTPUT ${manuel_texte}
  COMMAND sh -c "printf '\\357\\273\\277'; groff -k -mandoc -Tutf8 -P-cbou -rwindows=1 \"$0\" | sed 's/$/\\r/'"
          ${PROJECT_SOURCE_DIR}/allumettes.6 > ${manuel_texte}
  DEPENDS ${PROJECT_SOURCE_DIR}/allumettes.6
  VERBATIM)

# The runtimes' notices, from Debian's packages of the cross compiler: each package, and what
# the game holds of it. Written when the build is configured, as the manual is: a byte order
# mark, then CR LF line ends.
set(runtimes
  "mingw-w64-x86-64-dev|le runtime de MinGW-w64 et sa bibliothèque libwinpthread"
  "gcc-mingw-w64-base|les bibliothèques d'exécution de GCC, libgcc et libstdc++, sous la GPL 3 avec l'exception des bibliothèques d'exécution de GCC")
file(READ LICENSE texte)
string(APPEND texte "\n\nallumettes.exe contient aussi le code des bibliothèques suivantes ; voici "
  "leurs avis,\ntels que Debian les donne dans les paquets qui ont servi à le construire.\n")
foreach(runtime ${runtimes})
  string(REGEX REPLACE "\\|.*" "" paquet "${runtime}")
  string(REGEX REPLACE "^[^|]*\\|" "" contenu "${runtime}")
  set(avis /usr/share/doc/${paquet}/copyright)
  if(NOT EXISTS ${avis})
    message(WARNING "${avis} is missing: copyright.txt lacks the notices of ${contenu}; take "
      "them from the compiler's own distribution")
    continue()
  endif()
  file(READ ${avis} avis_du_paquet)
  string(APPEND texte "\n\n----- ${contenu} (paquet Debian ${paquet})\n\n${avis_du_paquet}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${avis})
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
string(REPLACE "\n" "\r\n" texte "${texte}")
set(copyright_texte ${PROJECT_BINARY_DIR}/copyright.txt)
string(ASCII 239 187 191 marque_d_ordre)
file(WRITE ${copyright_texte} "${marque_d_ordre}${texte}")
add_custom_target(documents ALL DEPENDS ${manuel_texte})
add_dependencies(allumettes documents)
install(TARGETS allumettes RUNTIME DESTINATION .)
install(FILES ${manuel_texte} ${copyright_texte} DESTINATION .)
