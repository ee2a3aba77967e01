// The run reads its cell and its sites from "at.cif": the cell line opens the report and the
// sites reach the atom listing behind it.
#include <gtest/gtest.h>

#include <string>

#include "support/cif_text.hpp"
#include "support/scratch.hpp"

namespace molframe {
namespace {

TEST(CifRunTest, WritesTheCellLineAndListsTheSitesRead) {
    test::Scratch folder;
    folder.write("at.cif", "data_run\n" + test::alphabeticalCellLines() +
                               "_cell_measurement_reflns_used    5000\n"
                               "_cell_measurement_temperature    173(2)\n" +
                               test::atomSiteHeader() +
                               "O1 O 0.12345(6) -0.0123(4) 0.5 . .\n"
                               "C1 C 0.2500(3) 0.7500(4) -0.1250(2) . .\n"
                               "loop_\n");
    // An empty selection file ends the run at its first read, behind the listing.
    folder.write("kesp.dat", "");
    const test::ProcessResult result = test::runMolframeIn(folder.path());

    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(folder.read("at.dat"),
              "10.1234    9.8765   15.4321    90.0000  104.5230   90.0000\n"
              "   1    0.12345  -0.01230   0.50000    O1   O   \n"
              "   2    0.25000   0.75000  -0.12500    C1   C   \n");
}

}  // namespace
}  // namespace molframe
