#include <iostream>
#include <string>
#include <vector>

#include "tools/skintool.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return vx::skintool::Run(args, std::cout, std::cerr);
}
