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

# The runtimes' notices, from Debian's packages of the cross compiler.
set(avis_des_runtimes)
foreach(paquet mingw-w64-x86-64-dev gcc-mingw-w64-base)
  set(avis /usr/share/doc/${paquet}/copyright)
  if(EXISTS ${avis})
    list(APPEND avis_des_runtimes ${avis})
  else()
    message(WARNING "${avis} is missing: copyright.txt will lack the notices of the runtimes "
      "linked into the game; take them from the compiler's own distribution")
  endif()
endforeach()
set(copyright_texte ${PROJECT_BINARY_DIR}/copyright.txt)
add_custom_command(OUTPUT ${copyright_texte}
  COMMAND sh -c [[
    cat "$1"; shift
    for avis; do
      printf '\n\n%s\n\n' "----- $(basename "$(dirname "$avis")"): $avis"
      cat "$avis"
    done]] sh ${PROJECT_SOURCE_DIR}/LICENSE ${avis_des_runtimes} | sed "s/$/\\r/" > ${copyright_texte}
  DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE ${avis_des_runtimes}
  VERBATIM)
add_custom_target(documents ALL DEPENDS ${manuel_texte} ${copyright_texte})
add_dependencies(allumettes documents)
install(TARGETS allumettes RUNTIME DESTINATION .)
install(FILES ${manuel_texte} ${copyright_texte} DESTINATION .)
