// Cell parameter block: the six cell lines of "at.cif" and the cell line of the report.
#pragma once

#include "run/records.hpp"
#include "run/run_data.hpp"

namespace molframe {

/// Finds the line that begins "_cell_length_a  " among the first 300 lines of the structure
/// file (line 301 when none does), reads it and the five lines after it as a, b, c, alpha,
/// beta, gamma, takes the value of a line that carries another data name from the line of
/// its own name, turns an angle below 1 into 90 and writes the cell line to the report.
/// Leaves the structure file behind the sixth cell line; ends the run at the end of the file.
void readCellBlock(RecordFile& structure, RecordFile& report, CellParameters& cell);

}  // namespace molframe
