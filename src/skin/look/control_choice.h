#pragma once
// Which controls the skin leaves alone by the application's word: the
// Skin3rd lines ("class=kind") that name a control class and the kind of
// skinner it gets. Portable: the window classes and kinds are plain text.
#include <optional>
#include <string>

#include "common/text.h"

namespace vc {

// The kind the first line naming `className` gives it (lower case, at most
// 50 characters), or nothing when no line names it. A line names a class
// when it begins with the class name followed by "=", letters compared
// without regard to case; a class name that is only the beginning of the
// line's class does not match.
std::optional<std::string> Skin3rdKind(const StringList& lines, const std::string& className);

}  // namespace vc
