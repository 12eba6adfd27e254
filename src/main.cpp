// Starts a run of the game; the command line is ignored.
#include "flow/flow.hpp"

int main() {
  return lancer();
}
