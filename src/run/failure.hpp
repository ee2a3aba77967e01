// The one way a run ends early: a diagnostic line on the error stream and status 2.
#pragma once

#include <string>

namespace molframe {

/// Exit status of a run that the formatted-record facility ended.
inline constexpr int failureStatus = 2;

/// Carries the diagnostic of a run that ends early, from the failing read to the run's end.
struct RunFailure {
    std::string message;  ///< e.g. "at.cif, record 301: end of file"
};

/// Ends the run: unwinds to the run's end, which writes "molframe: <message>" and exits with 2.
[[noreturn]] void endRun(std::string message);

}  // namespace molframe
