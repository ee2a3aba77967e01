// molframe: principal axes of a molecule from "at.cif" and "kesp.dat" in the working directory.
// Arguments, environment and standard input are ignored.
#include "run/run.hpp"

int main() {
    return molframe::runMolframe();
}
