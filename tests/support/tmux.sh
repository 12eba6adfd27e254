# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# Helpers of the tests that play the game in a real terminal, a detached tmux pane of its
# own server: sourced with $socket set, and a pane named "jeu" started with tm new-session.
tm() { tmux -L "$socket" -f /dev/null "$@"; }

echec() {
  echo "FAIL: $*"
  echo "--- screen:"
  tm capture-pane -p -t jeu
  exit 1
}
ecran() { tm capture-pane -p -t jeu; }
# Waits until the screen shows the text (10 seconds at most, or $delai tenths of a second).
attendre() {
  for _ in $(seq "${delai:-100}"); do
    ecran | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  echec "the screen never showed \"$1\""
}
taper() { tm send-keys -t jeu -l "$1" && tm send-keys -t jeu Enter; }
# The screen must not show the text a while after the last key: the game is waiting.
attend_toujours() {
  sleep 1
  ecran | grep -qF -- "$1" && echec "\"$1\" came without the Enter key"
  return 0
}
absent() { ecran | grep -qF -- "$1" && echec "\"$1\" is still on the screen"; return 0; }
# From the display-mode question on screen to the announcement of the first move: a classic
# game in display mode $1, rule Gagnera, the player first, taking 3.
ouvrir_une_partie_classique() {
  taper "$1"
  attendre "Jeu classique"
  taper 1
  attendre "Gagnera [1]"
  taper 1
  attendre "Qui joue en premier"
  taper 1
  attendre "voulez-vous retirer"
  taper 3
  attendre "La joueur va enlever 3"
}
