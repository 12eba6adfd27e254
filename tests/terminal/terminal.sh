#!/bin/bash
# SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
# SPDX-License-Identifier: MIT
# Plays the game in a real terminal (a detached tmux pane), typing one line at a time as
# a person would, and reads the screen: each Enter wait really waits, display mode 0
# leaves only the current position on the screen, and Ctrl-D at a question ends the
# game with status 1 and gives the terminal back. Usage: terminal.sh GAME
set -u
jeu=$1
# shellcheck source=../support/outils.sh
source "$(dirname "$0")/../support/outils.sh"
exiger tmux tmux
socket=allumettes-terminal-$$
# shellcheck source=../support/tmux.sh
source "$(dirname "$0")/../support/tmux.sh"
trap 'tm kill-server 2>/dev/null' EXIT

tm new-session -d -s jeu -x 160 -y 60 "'$jeu'; echo \"fin statut \$?\"; sleep 60" ||
  { echo "FAIL: cannot start tmux"; exit 1; }

attendre "Voulez vous afficher"
ouvrir_une_partie_classique 0
attend_toujours "13  allumettes"
tm send-keys -t jeu Enter
attendre "13  allumettes"
attendre "La machine va jouer."
absent "16  allumettes"
absent "Qui joue en premier"
absent "La joueur va enlever 3"
attend_toujours "La machine va enlever"
tm send-keys -t jeu Enter
attendre "La machine va enlever 1"
attend_toujours "12  allumettes"
tm send-keys -t jeu Enter
attendre "12  allumettes"
attendre "voulez-vous retirer"
absent "13  allumettes"
absent "La machine va enlever 1"
tm send-keys -t jeu C-d
attendre "fin statut 1"
tm kill-session -t jeu

# When the machine opens the game, its first wait also wants a fresh Enter.
tm new-session -d -s jeu -x 160 -y 60 "'$jeu'; echo \"fin statut \$?\"; sleep 60"
attendre "Voulez vous afficher"
taper 1
attendre "Jeu classique"
taper 1
attendre "Gagnera [1]"
taper 1
attendre "Qui joue en premier"
taper 2
attendre "La machine va jouer."
attend_toujours "La machine va enlever"
tm send-keys -t jeu Enter
attendre "La machine va enlever"
tm send-keys -t jeu C-d
attendre "fin statut 1"
echo "terminal test passed"
