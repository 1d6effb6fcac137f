// qzm: inspection and conversion of exam files from the command line.

#include <iostream>

#include "command_line.h"

int main(int argc, char** argv) {
  return quizmora::runCommandLine(argc, argv, std::cout, std::cerr);
}
