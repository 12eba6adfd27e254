// SPDX-FileCopyrightText: 2026 Les auteurs d'allumettes <allumettes@example.org>
// SPDX-License-Identifier: MIT
// The cost of drawing a heap, in process, with the output thrown away.
#include <benchmark/benchmark.h>

#include <iostream>
#include <streambuf>

#include "display/display.hpp"
#include "state/state.hpp"

namespace {

class Neant : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void dessiner(benchmark::State& etat, int flag, int dernier, int N, int n) {
  Neant neant;
  std::streambuf* ancienne = std::cout.rdbuf(&neant);
  remettre_a_zero();
  etatjeu.N = N;
  etatjeu.n = n;
  etatjeu.jmax = 3;
  etatjeu.flag = flag;
  etatjeu.dernier = dernier;
  etatjeu.ntas = static_cast<int>(etat.range(0));
  for (auto _ : etat) affichage();
  std::cout.rdbuf(ancienne);
  etat.SetBytesProcessed(etat.iterations() * etat.range(0) * 3);
}

void TasSimple(benchmark::State& etat) {
  dessiner(etat, 0, 0, 2000000000, 1);
}
void AideEnlever(benchmark::State& etat) {
  dessiner(etat, 2, 1, 2000000000, 1);
}
void AideAjouter(benchmark::State& etat) {
  dessiner(etat, 2, 1, 0, 10000000);
}

}  // namespace

BENCHMARK(TasSimple)->Arg(1000)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(AideEnlever)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK(AideAjouter)->Arg(10000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
