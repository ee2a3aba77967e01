// molframe-import: reads any CIF with gemmi and writes the "at.cif" that molframe reads.
//   molframe-import [--block NAME] [--kesp all] INPUT.cif [-o OUTPUT]
#include <iostream>
#include <string>
#include <vector>

#include "tools/import_command.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return molframe::tools::runImport(args, std::cout, std::cerr);
}
