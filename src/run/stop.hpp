// The plain stop: status 0, with a note on the error stream when floating-point exceptions rose.
#pragma once

#include <string>

namespace molframe {

/// The note for the exception flags raised so far (invalid, division by zero, overflow,
/// underflow, denormal), or "" when none of them is raised; inexact alone gives "".
std::string floatingPointNote();

/// Writes the note, if any, to the error stream and returns the exit status 0.
int stopRun();

}  // namespace molframe
