#pragma once
// "Did you mean" for a misspelt name: the one known name close to it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vc::pack {

// The known name closest to `word`, compared without regard to letter case,
// when it is close (at most two letters inserted, dropped, changed or swapped
// with a neighbour, or the same letters in another order) and no other known
// name is as close. Nothing for a word that is itself known.
std::optional<std::string> ClosestName(std::string_view word, const std::vector<std::string>& known);

// " (did you mean "width"?)", or empty when ClosestName has nothing.
std::string DidYouMean(std::string_view word, const std::vector<std::string>& known);

}  // namespace vc::pack
