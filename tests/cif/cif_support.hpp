// Test support for CIF input: a scratch folder whose "at.cif" and "at.dat" are opened as the
// run opens them, and the reading position of the structure file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "run/records.hpp"
#include "run/run_data.hpp"
#include "support/record_capture.hpp"
#include "support/scratch.hpp"

namespace molframe::testing {

/// A scratch folder with the structure file and the report of one phase.
class CifFiles {
  public:
    /// Writes text as "at.cif" and opens it, at its first record.
    RecordFile& structure(const std::string& text);
    /// Copies a structure of tests/data/corpus as "at.cif" and opens it.
    RecordFile& corpusStructure(const std::string& name);
    /// "at.dat" of the phase (in a scratch folder of its own), opened.
    RecordFile& report();
    /// Everything written to "at.dat" so far.
    std::string reportText();
    /// The diagnostic of a failure with the folder's path of "at.cif" shortened to "at.cif".
    std::string shortened(const std::string& message) const;

  private:
    RecordFile& openStructure();

    test::Scratch scratch_;
    std::unique_ptr<RecordFile> structure_;
    std::unique_ptr<test::CapturedRecords> report_;
};

/// What a run reads from the structure file: the cell block, then the atom-site loop behind it.
struct CellAndSites {
    CellParameters cell;
    std::unique_ptr<SiteTable> sites = std::make_unique<SiteTable>();
    int32_t siteCount = 0;
};

/// Reads the cell block (its line to the folder's report) and the atom-site loop behind it.
CellAndSites readCellAndSites(CifFiles& dir, RecordFile& structure);

/// Checks the six cell values bit for bit.
void expectCell(const CellParameters& cell, float a, float b, float c, float alpha, float beta,
                float gamma);

/// The next list-directed item of the structure file: where its reading position stands.
std::string nextItem(RecordFile& structure);

}  // namespace molframe::testing
