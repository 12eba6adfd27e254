# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# The browser build (emcmake cmake): the game as allumettes.js, its WebAssembly inside, then
# allumettes.html, one page that holds the game, the terminal and its styles, and plays
# opened from disk as from any server.

# em++ links with its JavaScript tools, which look for Debian's node modules here.
find_path(MODULES_NODE_DU_SYSTEME acorn PATHS /usr/share/nodejs /usr/lib/nodejs NO_DEFAULT_PATH
  NO_CMAKE_FIND_ROOT_PATH)
if(MODULES_NODE_DU_SYSTEME)
  set_target_properties(allumettes PROPERTIES CXX_LINKER_LAUNCHER
    "${CMAKE_COMMAND};-E;env;NODE_PATH=${MODULES_NODE_DU_SYSTEME}")
endif()

target_compile_options(jeu PRIVATE -Oz -flto)
target_compile_options(allumettes PRIVATE -Oz -flto)
# The game waits for the page inside its reads (asyncify); one file, no .wasm beside it;
# the same file runs in a browser and under node. The bridge starts main itself and ends
# the run with exit: main's return value does not outlive the waits of asyncify.
# Only the functions that can be on the stack while the game waits for the page are
# instrumented (web/construction/asyncify.txt, names as the link-time optimised build has them): left to
# itself, asyncify would instrument every function that makes an indirect call, twice the
# code. A name missing from the list fails only when the game waits there, mid-game; the
# web test plays every transcript with a build that checks every wait (ASSERTIONS).
# The asyncify stack holds the frames of the game's functions while it waits: under 512 bytes
# (every transcript plays, waiting at every send, with 512, none with 128), so 64 KiB is
# room for a hundred times deeper waits.
# ALLUMETTES_ASYNCIFY_TOUT instruments every function and keeps their names, for
# web/outils/asyncify.sh, which finds the list.
option(ALLUMETTES_ASYNCIFY_TOUT "Instrument every function for asyncify (web/outils/asyncify.sh)" OFF)
if(ALLUMETTES_ASYNCIFY_TOUT)
  target_link_options(allumettes PRIVATE --profiling-funcs)
else()
  target_link_options(allumettes PRIVATE -sASYNCIFY_ONLY=@${PROJECT_SOURCE_DIR}/web/construction/asyncify.txt)
endif()
target_link_options(allumettes PRIVATE -Oz -flto -sMALLOC=emmalloc -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
  -sMODULARIZE=1 -sEXPORT_NAME=creerLeJeu -sSINGLE_FILE=1 -sEXIT_RUNTIME=1
  -sENVIRONMENT=web,node -sFILESYSTEM=0 -sINVOKE_RUN=0
  "-sEXPORTED_FUNCTIONS=[_main,_exit,_vider_la_sortie]" "-sEXPORTED_RUNTIME_METHODS=[ccall]")
set_property(TARGET allumettes APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/web/construction/asyncify.txt)
set_target_properties(allumettes PROPERTIES SUFFIX .js)

# The terminal, installed from the lock file; the browser test installs its own tools.
find_program(NPM npm REQUIRED)
find_program(NODE node REQUIRED)
set(npm_dossier ${PROJECT_BINARY_DIR}/npm)
set(npm_temoin ${npm_dossier}/node_modules/.package-lock.json)
add_custom_command(OUTPUT ${npm_temoin}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${npm_dossier}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/package.json
          ${PROJECT_SOURCE_DIR}/web/package-lock.json ${npm_dossier}
  COMMAND ${NPM} ci --omit=dev --prefix ${npm_dossier} --no-audit --no-fund --loglevel=error
  DEPENDS web/package.json web/package-lock.json
  COMMENT "Installing the terminal from web/package-lock.json")

# The manual, rendered for the page from the same source.
find_program(MANDOC mandoc REQUIRED)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/manuel.html
  COMMAND ${NODE} ${PROJECT_SOURCE_DIR}/web/construction/manuel.js ${PROJECT_SOURCE_DIR}/allumettes.6
          ${PROJECT_BINARY_DIR}/manuel.html
  DEPENDS allumettes.6 web/construction/manuel.js
  COMMENT "Rendering the manual for the page")

set(page_sources web/page/page.html web/page/page.css web/page/page.js web/page/pont.js
  web/page/discipline.js web/page/lecture.js web/page/application.js web/page/hors-ligne.js
  web/construction/assembler.js data/icones/allumettes-32.png
  data/icones/allumettes-192.png
  data/icones/allumettes-512.png data/icones/allumettes-masquable-192.png
  data/icones/allumettes-masquable-512.png)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/allumettes.html ${PROJECT_BINARY_DIR}/allumettes.html.gz
         ${PROJECT_BINARY_DIR}/hors-ligne.js
  COMMAND ${NODE} ${PROJECT_SOURCE_DIR}/web/construction/assembler.js $<TARGET_FILE:allumettes>
          ${npm_dossier}/node_modules ${PROJECT_BINARY_DIR}/manuel.html ${PROJECT_BINARY_DIR}/allumettes.html
          ${EMSCRIPTEN_ROOT_PATH}
  DEPENDS allumettes ${npm_temoin} ${page_sources} ${PROJECT_BINARY_DIR}/manuel.html
  COMMENT "Assembling allumettes.html")
# What to copy to a web server, in a folder of its own: the page, its compressed twin and the
# service worker.
set(site ${PROJECT_BINARY_DIR}/site)
add_custom_command(OUTPUT ${site}/allumettes.html ${site}/allumettes.html.gz ${site}/hors-ligne.js
  COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/allumettes.html
          ${PROJECT_BINARY_DIR}/allumettes.html.gz ${PROJECT_BINARY_DIR}/hors-ligne.js ${site}
  DEPENDS ${PROJECT_BINARY_DIR}/allumettes.html
  COMMENT "Copying the page and its service worker to site/")
add_custom_target(page ALL DEPENDS ${site}/allumettes.html)
