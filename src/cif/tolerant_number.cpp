#include "cif/tolerant_number.hpp"

#include "run/records.hpp"

namespace molframe {

bool readTolerantNumber(const ValueText& text, Cascade cascade, float& target) {
    for (const RealFormat& format : cascade) {
        // A width that reaches the "(" of an uncertainty fails; a shorter one may succeed.
        if (readReal(asView(text), format.width, format.decimals, target)) return true;
    }
    return false;
}

}  // namespace molframe
