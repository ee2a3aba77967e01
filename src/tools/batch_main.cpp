// molframe-batch: many structures at once, each imported and run by molframe on its own.
//   molframe-batch [-j N] [--kesp FILE] [-o DIR] INPUT.cif...
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/batch_run.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return molframe::tools::runBatchCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO));
}
