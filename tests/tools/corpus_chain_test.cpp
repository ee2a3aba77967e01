// Real structures through the whole chain: molframe-import, then molframe. The extents of
// every corpus structure that gemmi reads are checked against a computation of their own
// here, and the import of a file molframe already reads right changes none of its output.
#include <gtest/gtest.h>
#include <gemmi/cif.hpp>
#include <gemmi/numb.hpp>
#include <gemmi/unitcell.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/cif_text.hpp"
#include "support/scratch.hpp"
#include "tools/batch_summary.hpp"

namespace molframe::tools {
namespace {

namespace fs = std::filesystem;
namespace cif = gemmi::cif;
using molframe::test::ProcessResult;
using molframe::test::Scratch;

const std::string importer = std::string(MOLFRAME_BINARY_DIR) + "/molframe-import";

std::string testName(const std::string& file) {
    std::string name = fs::path(file).stem();
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

using Matrix3 = std::array<std::array<double, 3>, 3>;

/// Eigenvalues of a symmetric 3x3 matrix by cyclic Jacobi rotations, largest first.
std::array<double, 3> symmetricEigenvalues(Matrix3 m) {
    for (int sweep = 0; sweep < 100; ++sweep) {
        const double off = m[0][1] * m[0][1] + m[0][2] * m[0][2] + m[1][2] * m[1][2];
        const double diagonal = m[0][0] * m[0][0] + m[1][1] * m[1][1] + m[2][2] * m[2][2];
        if (off <= 1e-30 * diagonal) break;
        for (int p = 0; p < 2; ++p) {
            for (int q = p + 1; q < 3; ++q) {
                if (m[p][q] == 0.0) continue;
                // The rotation in the (p, q) plane that zeroes m[p][q].
                const double theta = (m[q][q] - m[p][p]) / (2.0 * m[p][q]);
                const double t =
                    (theta >= 0 ? 1.0 : -1.0) / (std::abs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0);
                const double s = t * c;
                Matrix3 rotation{};
                for (int i = 0; i < 3; ++i) rotation[i][i] = 1.0;
                rotation[p][p] = c;
                rotation[q][q] = c;
                rotation[p][q] = s;
                rotation[q][p] = -s;
                Matrix3 rotated{};  // rotation^T * m * rotation
                for (int i = 0; i < 3; ++i) {
                    for (int j = 0; j < 3; ++j) {
                        for (int k = 0; k < 3; ++k) {
                            for (int l = 0; l < 3; ++l) {
                                rotated[i][j] += rotation[k][i] * m[k][l] * rotation[l][j];
                            }
                        }
                    }
                }
                m = rotated;
            }
        }
    }
    std::array<double, 3> values = {m[0][0], m[1][1], m[2][2]};
    std::sort(values.begin(), values.end(), std::greater<>());
    return values;
}

TEST(SymmetricEigenvaluesTest, KnownSpectra) {
    const auto diagonal = symmetricEigenvalues({{{2, 0, 0}, {0, 8, 0}, {0, 0, 0}}});
    EXPECT_EQ(diagonal, (std::array<double, 3>{8, 2, 0}));
    // [[2,1,0],[1,2,0],[0,0,5]] has the eigenvalues 5, 3 and 1.
    const auto coupled = symmetricEigenvalues({{{2, 1, 0}, {1, 2, 0}, {0, 0, 5}}});
    EXPECT_NEAR(coupled[0], 5.0, 1e-12);
    EXPECT_NEAR(coupled[1], 3.0, 1e-12);
    EXPECT_NEAR(coupled[2], 1.0, 1e-12);
}

/// The extents of the principal axes computed here: the structure read by gemmi, every site
/// that molframe reads (the first 300 with coordinates), gemmi's orthogonalisation, the centre
/// of all atoms (taken as the origin when it lies within sqrt(0.1) of it), the sum of the
/// squared projections over all atoms.
std::optional<std::array<double, 3>> expectedExtents(const fs::path& file) {
    cif::Document doc;
    try {
        doc = cif::read_file(file.string());
    } catch (const std::exception&) {
        return std::nullopt;
    }
    for (cif::Block& block : doc.blocks) {
        const auto number = [&](const char* name, double missing) {
            const std::string* value = block.find_value(name);
            return value == nullptr || cif::is_null(*value) ? missing : cif::as_number(*value);
        };
        const double a = number("_cell_length_a", NAN);
        const double b = number("_cell_length_b", NAN);
        const double c = number("_cell_length_c", NAN);
        cif::Table sites = block.find("_atom_site_", {"fract_x", "fract_y", "fract_z"});
        if (std::isnan(a) || std::isnan(b) || std::isnan(c) || !sites.ok()) continue;
        const gemmi::UnitCell cell(a, b, c, number("_cell_angle_alpha", 90.0),
                                   number("_cell_angle_beta", 90.0),
                                   number("_cell_angle_gamma", 90.0));
        std::vector<gemmi::Position> atoms;
        for (cif::Table::Row row : sites) {
            if (atoms.size() == 300) break;
            const gemmi::Fractional fract(cif::as_number(row[0]), cif::as_number(row[1]),
                                          cif::as_number(row[2]));
            if (std::isnan(fract.x) || std::isnan(fract.y) || std::isnan(fract.z)) continue;
            atoms.push_back(cell.orthogonalize(fract));
        }
        gemmi::Position centre(0, 0, 0);
        for (const gemmi::Position& atom : atoms) centre += atom;
        centre /= static_cast<double>(atoms.size());
        if (centre.length_sq() <= 0.1) centre = gemmi::Position(0, 0, 0);
        Matrix3 moments{};
        for (const gemmi::Position& atom : atoms) {
            const gemmi::Position p = atom - centre;
            const double xyz[3] = {p.x, p.y, p.z};
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) moments[i][j] += xyz[i] * xyz[j];
            }
        }
        std::array<double, 3> extents = symmetricEigenvalues(moments);
        for (double& extent : extents) extent = std::sqrt(std::max(extent, 0.0));
        return extents;
    }
    return std::nullopt;
}

class CorpusExtentsTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusExtentsTest, AgreeWithAnIndependentComputation) {
    const fs::path file = molframe::test::corpusPath(GetParam());
    const std::optional<std::array<double, 3>> expected = expectedExtents(file);
    Scratch dir;
    const ProcessResult imported =
        molframe::test::runProgram(importer, {"--kesp", "all", file.string()}, dir.path());
    if (!expected) {
        // Not a structure gemmi reads: the import refuses it and writes nothing.
        EXPECT_EQ(imported.status, 2);
        EXPECT_FALSE(dir.exists("at.cif"));
        return;
    }
    ASSERT_EQ(imported.status, 0) << imported.err;
    const ProcessResult run = molframe::test::runMolframeIn(dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    const auto reported = extentsOfReport(dir.read("at.dat"));
    ASSERT_TRUE(reported.has_value()) << dir.read("at.dat");

    // 2e-3 of each extent. An extent near zero (a flat or linear structure) is single-
    // precision rounding: its eigenvalue is held to 1e-6 of the largest eigenvalue instead.
    const double largest = (*expected)[0] * (*expected)[0];
    for (std::size_t k = 0; k < 3; ++k) {
        const double got = std::stod((*reported)[k]);
        const double want = (*expected)[k];
        if (want * want > 1e-3 * largest) {
            EXPECT_NEAR(got, want, 2e-3 * want) << "extent " << k + 1;
        } else {
            EXPECT_NEAR(got * got, want * want, 1e-6 * largest) << "extent " << k + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusExtentsTest,
                         ::testing::ValuesIn(molframe::test::corpusStructureNames()),
                         [](const auto& info) { return testName(info.param); });

class RoundTripTest : public ::testing::TestWithParam<std::string> {};

// A refinement-program file that closes its atom-site header with the two disorder items:
// molframe reads it right as it is, and its import changes not one byte of the results.
TEST_P(RoundTripTest, ImportedFileGivesTheSameResultsAsTheRawFile) {
    const fs::path file = molframe::test::corpusPath(GetParam());
    Scratch imported;
    const ProcessResult import =
        molframe::test::runProgram(importer, {"--kesp", "all", file.string()}, imported.path());
    ASSERT_EQ(import.status, 0) << import.err;
    Scratch raw;
    fs::copy_file(file, raw.path() / "at.cif");
    raw.write("kesp.dat", imported.read("kesp.dat"));

    ASSERT_EQ(molframe::test::runMolframeIn(imported.path()).status, 0);
    ASSERT_EQ(molframe::test::runMolframeIn(raw.path()).status, 0);
    EXPECT_TRUE(extentsOfReport(raw.read("at.dat")).has_value());
    EXPECT_EQ(imported.read("at.dat"), raw.read("at.dat"));
    EXPECT_EQ(imported.read("mc.xyz"), raw.read("mc.xyz"));
}

INSTANTIATE_TEST_SUITE_P(Corpus, RoundTripTest,
                         ::testing::Values("finalcif-DK_ML7-66-final.cif",
                                           "structurefinder-1431890.cif", "codtools-jo030050x.cif",
                                           "cod-1100893.cif", "finalcif-P21c-final.cif"),
                         [](const auto& info) { return testName(info.param); });

// A public-collection layout (cell data names in alphabetical order, another column order,
// no type symbols, a label with a blank) imported gives what the refinement program's layout
// of the same structure gives.
TEST(PublicLayoutTest, GivesTheResultsOfTheRefinementProgramLayout) {
    const molframe::test::CellTexts cell{"10.0", "11.0", "12.0", "90.0", "100.0", "90.0"};
    Scratch legacy;
    legacy.write("at.cif",
                 "data_legacy\n" + molframe::test::alignedCellLines(cell) +
                     "loop_\n_atom_site_label\n_atom_site_type_symbol\n_atom_site_fract_x\n"
                     "_atom_site_fract_y\n_atom_site_fract_z\n_atom_site_U_iso_or_equiv\n"
                     "_atom_site_disorder_assembly\n_atom_site_disorder_group\n"
                     "'C 1' C 0.1 0.2 0.3 0.02 . .\n"
                     "Cl2 Cl 0.4 0.1 0.2 0.02 . .\n"
                     "O3 O 0.3 0.3 0.1 0.02 . .\n"
                     "loop_\n");
    legacy.write("kesp.dat", "\n3 0\n");
    Scratch imported;
    imported.write("public.cif",
                   "data_public\n"
                   "_cell_angle_alpha 90.0\n_cell_angle_beta 100.0\n_cell_angle_gamma 90.0\n"
                   "_cell_length_a 10.0\n_cell_length_b 11.0\n_cell_length_c 12.0\n"
                   "loop_\n_atom_site_fract_z\n_atom_site_label\n_atom_site_fract_x\n"
                   "_atom_site_fract_y\n"
                   "0.3 'C 1' 0.1 0.2\n0.2 Cl2 0.4 0.1\n0.1 O3 0.3 0.3\n");
    const ProcessResult import =
        molframe::test::runProgram(importer, {"--kesp", "all", "public.cif"}, imported.path());
    ASSERT_EQ(import.status, 0) << import.err;
    EXPECT_EQ(imported.read("kesp.dat"), legacy.read("kesp.dat"));

    ASSERT_EQ(molframe::test::runMolframeIn(legacy.path()).status, 0);
    ASSERT_EQ(molframe::test::runMolframeIn(imported.path()).status, 0);
    const std::string report = imported.read("at.dat");
    EXPECT_NE(report.find("    C 1  C   \n"), std::string::npos) << report;
    EXPECT_EQ(report, legacy.read("at.dat"));
    EXPECT_EQ(imported.read("mc.xyz"), legacy.read("mc.xyz"));
}

}  // namespace
}  // namespace molframe::tools
