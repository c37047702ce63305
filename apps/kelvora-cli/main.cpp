// kelvora-cli: properties of water and steam from a terminal.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  // Batches and long tables go through a pipe; the C streams are never used here.
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return Vantrel::cli::run(args, std::cin, std::cout, std::cerr);
}
