// Run control: the four files, the phases in their fixed order, and the stop.
#pragma once

namespace molframe {

/// One whole run in the working directory; returns the exit status (0, or 2 after a failure).
int runMolframe();

}  // namespace molframe
