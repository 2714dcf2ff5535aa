#include "common/errors.h"

namespace vc {

EListError::EListError(long long index)
    : Exception("List index out of bounds (" + std::to_string(index) + ")"), index_(index) {}

}  // namespace vc
