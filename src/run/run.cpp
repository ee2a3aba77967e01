#include "run/run.hpp"

#include <cstdio>
#include <memory>

#include "cif/atom_site_loop.hpp"
#include "cif/cell_block.hpp"
#include "frame/centre_of_gravity.hpp"
#include "frame/molecular_coordinates.hpp"
#include "frame/moment_tensor.hpp"
#include "frame/principal_axes.hpp"
#include "frame/transfer_matrix.hpp"
#include "prep/atom_listing.hpp"
#include "prep/selection.hpp"
#include "prep/type_grouping.hpp"
#include "run/failure.hpp"
#include "run/records.hpp"
#include "run/run_data.hpp"
#include "run/stop.hpp"

namespace molframe {

namespace {

/// The four files, opened by name in this order and kept open for the whole run.
struct RunFiles {
    RecordFile structure{"at.cif"};
    RecordFile report{"at.dat"};
    RecordFile selection{"kesp.dat"};
    RecordFile xyz{"mc.xyz"};

    void openAll() {
        structure.open();
        report.open();
        selection.open();
        xyz.open();
    }
    void flushAll() {
        report.flush();
        xyz.flush();
    }
};

/// The phases, each once, strictly one after the other.
void runPhases(RunFiles& files, RunData& run) {
    readCellBlock(files.structure, files.report, run.cell);
    readAtomSiteLoop(files.structure, run.sites, run.siteCount);
    groupSitesByType(run);
    listAtoms(run, files.report);
    readSelection(run, files.selection, files.report);
    run.transfer = buildTransferMatrix(run.cell);
    writeTransferMatrix(files.report, run.transfer);
    fillCartesian(run.transfer, run.atoms, run.atomCount);
    const CentrePoint centre = centreOfGravity(run.atoms, run.atomCount);
    writeCentre(files.report, centre);
    centreAtoms(run.atoms, run.atomCount, centre);
    run.moments = buildMomentTensor(run.atoms, run.atomCount, run.selection);
    writeMomentTensor(files.report, run.moments);
    run.axes = findPrincipalAxes(run.moments);
    writePrincipalAxes(files.report, run.axes);
    projectAtoms(run.atoms, run.atomCount, run.axes);
    writeMolecularCoordinates(files.report, run.atoms, run.atomCount);
    writeXyzFile(files.xyz, run.atoms, run.atomCount);
}

}  // namespace

int runMolframe() {
    auto files = std::make_unique<RunFiles>();
    auto run = std::make_unique<RunData>();
    try {
        files->openAll();
        runPhases(*files, *run);
    } catch (const RunFailure& failure) {
        files->flushAll();
        std::fflush(stdout);
        std::fprintf(stderr, "molframe: %s\n", failure.message.c_str());
        return failureStatus;
    }
    files->flushAll();
    return stopRun();
}

}  // namespace molframe
