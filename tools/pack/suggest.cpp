#include "suggest.h"

#include <algorithm>

#include "common/text.h"

namespace vc::pack {

namespace {

constexpr std::size_t kMostEdits = 2;
// A rearrangement of the letters ranks as close as one edit: "wdith" for
// "width" is one swap, but "htdiw" is no typing slip of any smaller count.
constexpr std::size_t kRearranged = 1;

// Optimal string alignment distance: insertions, deletions, substitutions
// and swaps of neighbours, one each; the search stops early past kMostEdits.
std::size_t EditDistance(const std::string& a, const std::string& b) {
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > kMostEdits) return kMostEdits + 1;
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

std::size_t Closeness(const std::string& word, const std::string& name) {
    std::size_t distance = EditDistance(word, name);
    if (distance > kRearranged && word.size() == name.size()) {
        std::string sortedWord = word, sortedName = name;
        std::sort(sortedWord.begin(), sortedWord.end());
        std::sort(sortedName.begin(), sortedName.end());
        if (sortedWord == sortedName) distance = kRearranged;
    }
    return distance;
}

}  // namespace

std::optional<std::string> ClosestName(std::string_view word, const std::vector<std::string>& known) {
    const std::string lower = LowerCase(word);
    if (lower.empty()) return std::nullopt;
    const std::string* best = nullptr;
    std::size_t bestDistance = kMostEdits + 1;
    bool tie = false;
    for (const std::string& name : known) {
        const std::size_t distance = Closeness(lower, LowerCase(name));
        if (distance == 0) return std::nullopt;
        if (distance < bestDistance) {
            best = &name;
            bestDistance = distance;
            tie = false;
        } else if (distance == bestDistance && best && !SameText(*best, name)) {
            tie = true;
        }
    }
    if (!best || tie) return std::nullopt;
    return *best;
}

std::string DidYouMean(std::string_view word, const std::vector<std::string>& known) {
    const auto name = ClosestName(word, known);
    return name ? " (did you mean \"" + *name + "\"?)" : std::string();
}

}  // namespace vc::pack
