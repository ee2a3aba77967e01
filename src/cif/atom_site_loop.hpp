// Atom-site loop: the end of the loop header and the rows of "at.cif" into the SiteTable.
#pragma once

#include <cstdint>

#include "run/records.hpp"
#include "run/run_data.hpp"

namespace molframe {

/// Finds the end of the atom-site loop header from where the cell block left the structure
/// file (by its two disorder items, else from the top by the line "_atom_site_fract_z"),
/// then reads up to 300 rows (label, type symbol, x, y, z) into the site table until the end
/// of the file or a label that is blank or "loop". siteCount is the number of rows stored.
/// Ends the run at the end of the file in the item after the header or in the fallback.
void readAtomSiteLoop(RecordFile& structure, SiteTable& sites, int32_t& siteCount);

}  // namespace molframe
