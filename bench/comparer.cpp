// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// Times whole processes: runs two commands alternately, each with its standard input a
// pipe fed from a file and its output sent to /dev/null, and prints the median wall time
// of each, their ratio, and the peak resident memory of each.
// Usage: comparer RUNS INPUT_A "COMMAND A" INPUT_B "COMMAND B"   (INPUT - for no input)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Mesure {
  double millisecondes;
  long memoire_ko;
};

struct Commande {
  std::string entree;
  std::vector<std::string> mots;
};

std::vector<std::string> decouper(const std::string& ligne) {
  std::istringstream flux(ligne);
  return {std::istream_iterator<std::string>(flux), std::istream_iterator<std::string>()};
}

std::string lire_fichier(const std::string& chemin) {
  if (chemin == "-") return "";
  std::ifstream fichier(chemin, std::ios::binary);
  return {std::istreambuf_iterator<char>(fichier), std::istreambuf_iterator<char>()};
}

Mesure executer(const Commande& c) {
  int tube[2];
  if (pipe(tube) != 0) std::exit(2);
  const auto debut = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(tube[0], 0);
    close(tube[0]);
    close(tube[1]);
    const int nul = open("/dev/null", O_WRONLY);
    dup2(nul, 1);
    std::vector<char*> argv;
    for (const auto& mot : c.mots) argv.push_back(const_cast<char*>(mot.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(tube[0]);
  // The inputs are small: they fit in the pipe, so the write never waits for the child.
  if (!c.entree.empty() && write(tube[1], c.entree.data(), c.entree.size()) < 0) std::exit(2);
  close(tube[1]);
  int statut = 0;
  rusage usage{};
  wait4(pid, &statut, 0, &usage);
  const auto fin = std::chrono::steady_clock::now();
  return {std::chrono::duration<double, std::milli>(fin - debut).count(), usage.ru_maxrss};
}

double mediane(std::vector<double> valeurs) {
  std::sort(valeurs.begin(), valeurs.end());
  const std::size_t milieu = valeurs.size() / 2;
  return valeurs.size() % 2 ? valeurs[milieu] : (valeurs[milieu - 1] + valeurs[milieu]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s RUNS INPUT_A \"COMMAND A\" INPUT_B \"COMMAND B\"\n", argv[0]);
    return 2;
  }
  const int essais = std::atoi(argv[1]);
  const Commande a{lire_fichier(argv[2]), decouper(argv[3])};
  const Commande b{lire_fichier(argv[4]), decouper(argv[5])};
  std::vector<double> temps_a, temps_b;
  long memoire_a = 0, memoire_b = 0;
  executer(a);  // warm the page cache and the dynamic loader
  executer(b);
  for (int k = 0; k < essais; ++k) {
    const Mesure ma = executer(a), mb = executer(b);
    temps_a.push_back(ma.millisecondes);
    temps_b.push_back(mb.millisecondes);
    memoire_a = std::max(memoire_a, ma.memoire_ko);
    memoire_b = std::max(memoire_b, mb.memoire_ko);
  }
  const double mediane_a = mediane(temps_a), mediane_b = mediane(temps_b);
  std::printf("  A: median %.3f ms, peak memory %ld KiB  (%s)\n", mediane_a, memoire_a, argv[3]);
  std::printf("  B: median %.3f ms, peak memory %ld KiB  (%s)\n", mediane_b, memoire_b, argv[5]);
  std::printf("  ratio A/B: %.2f over %d runs each\n", mediane_a / mediane_b, essais);
  return 0;
}
