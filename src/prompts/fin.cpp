#include <cstdlib>
#include <iostream>

#include "prompts/prompts.hpp"

void fin_de_la_console() {
  std::cout << '\n';
  std::exit(1);
}
