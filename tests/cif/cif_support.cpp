#include "cif/cif_support.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>

#include "cif/atom_site_loop.hpp"
#include "cif/cell_block.hpp"
#include "run/fixed_text.hpp"

namespace molframe::testing {

RecordFile& CifFiles::structure(const std::string& text) {
    scratch_.write("at.cif", text);
    return openStructure();
}

RecordFile& CifFiles::corpusStructure(const std::string& name) {
    std::filesystem::copy_file(test::corpusPath(name), scratch_.file("at.cif"));
    return openStructure();
}

RecordFile& CifFiles::openStructure() {
    structure_ = std::make_unique<RecordFile>(scratch_.file("at.cif"));
    structure_->open();
    return *structure_;
}

RecordFile& CifFiles::report() {
    if (!report_) report_ = std::make_unique<test::CapturedRecords>();
    return report_->file();
}

std::string CifFiles::reportText() {
    return report_ ? report_->text() : "";
}

std::string CifFiles::shortened(const std::string& message) const {
    const std::string path = scratch_.file("at.cif");
    if (message.rfind(path, 0) != 0) return message;
    return "at.cif" + message.substr(path.size());
}

CellAndSites readCellAndSites(CifFiles& dir, RecordFile& structure) {
    CellAndSites read;
    readCellBlock(structure, dir.report(), read.cell);
    readAtomSiteLoop(structure, *read.sites, read.siteCount);
    return read;
}

void expectCell(const CellParameters& cell, float a, float b, float c, float alpha, float beta,
                float gamma) {
    const auto bits = [](float value) { return std::bit_cast<uint32_t>(value); };
    EXPECT_EQ(bits(cell.a), bits(a)) << "a = " << cell.a;
    EXPECT_EQ(bits(cell.b), bits(b)) << "b = " << cell.b;
    EXPECT_EQ(bits(cell.c), bits(c)) << "c = " << cell.c;
    EXPECT_EQ(bits(cell.alpha), bits(alpha)) << "alpha = " << cell.alpha;
    EXPECT_EQ(bits(cell.beta), bits(beta)) << "beta = " << cell.beta;
    EXPECT_EQ(bits(cell.gamma), bits(gamma)) << "gamma = " << cell.gamma;
}

std::string nextItem(RecordFile& structure) {
    FixedText<40> item = blankText<40>();
    if (structure.readList(Exits::endOfFile, item) != ReadStatus::ok) return "<end of file>";
    const std::string_view text = asView(item);
    return std::string(text.substr(0, text.find_last_not_of(' ') + 1));
}

}  // namespace molframe::testing
