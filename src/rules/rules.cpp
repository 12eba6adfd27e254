#include "rules/rules.hpp"

#include <chrono>
#include <random>

#include "state/state.hpp"

std::uint16_t graine_horloge() {
  const auto depuis_epoque = std::chrono::system_clock::now().time_since_epoch();
  const auto nanosecondes =
      std::chrono::duration_cast<std::chrono::nanoseconds>(depuis_epoque).count();
  return static_cast<std::uint16_t>(static_cast<std::uint64_t>(nanosecondes) & 0xFFFFu);
}

int random(int low, int high) {
  std::uniform_int_distribution<int> dist(low, high);
  return dist(etatjeu.gen);
}
