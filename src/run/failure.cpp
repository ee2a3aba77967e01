#include "run/failure.hpp"

#include <utility>

namespace molframe {

void endRun(std::string message) {
    throw RunFailure{std::move(message)};
}

}  // namespace molframe
