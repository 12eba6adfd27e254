// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// Coverage-guided fuzzing of whole runs: the input bytes are the game's standard input,
// read through a buffer that cannot seek, as a pipe; the output goes to a counting sink.
// The run's way out when its console is gone is replaced here (the game's own, which
// ends the process, is then not taken from the library), so that one process plays
// run after run. A run that prints more than kPlafond bytes is stopped, as a normal end:
// a heap of millions of matches prints that much by design.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <streambuf>

#include "flow/flow.hpp"
#include "prompts/prompts.hpp"
#include "state/state.hpp"

namespace {

constexpr std::streamsize kPlafond = 1 << 20;

struct ConsoleFermee {};
struct SortieTropLongue {};

class EntreeDonnee : public std::streambuf {
 public:
  EntreeDonnee(const std::uint8_t* octets, std::size_t taille) {
    char* debut = reinterpret_cast<char*>(const_cast<std::uint8_t*>(octets));
    setg(debut, debut, debut + taille);
  }
};

class SortieBornee : public std::streambuf {
 protected:
  int_type overflow(int_type c) override {
    compter(1);
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    compter(n);
    return n;
  }

 private:
  void compter(std::streamsize n) {
    taille_ += n;
    if (taille_ > kPlafond) throw SortieTropLongue{};
  }
  std::streamsize taille_ = 0;
};

}  // namespace

void fin_de_la_console() {
  throw ConsoleFermee{};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* octets, std::size_t taille) {
  EntreeDonnee entree(octets, taille);
  SortieBornee sortie;
  std::streambuf* ancienne_entree = std::cin.rdbuf(&entree);
  std::streambuf* ancienne_sortie = std::cout.rdbuf(&sortie);
  std::cin.clear();
  std::cout.clear();
  std::cout.exceptions(std::ios::badbit);  // lets the sink's exception reach us
  remettre_a_zero();
  etatjeu.gen.seed(12345);
  try {
    lancer();
  } catch (const ConsoleFermee&) {
  } catch (const SortieTropLongue&) {
  }
  std::cout.exceptions(std::ios::goodbit);
  std::cin.rdbuf(ancienne_entree);
  std::cout.rdbuf(ancienne_sortie);
  std::cin.clear();
  std::cout.clear();
  return 0;
}
