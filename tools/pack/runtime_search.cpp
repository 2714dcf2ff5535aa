#include "runtime_search.h"

#include <cstdlib>

#include "book_file.h"
#include "tool_output.h"

namespace vc::pack {

namespace fs = std::filesystem;

FoundRuntime FindRuntime(const RuntimePlaces& places) {
    if (!places.given.empty()) return {places.given, "--runtime"};
    struct Place {
        fs::path path;
        std::string source;
    };
    std::vector<Place> tried;
    if (!places.variable.empty()) tried.push_back({places.variable, kRuntimeVariable});
    if (!places.toolFolder.empty()) tried.push_back({places.toolFolder / kRuntimeName, "beside vellumcast-pack"});
    if (!places.buildTree.empty()) tried.push_back({places.buildTree, "the Windows build tree"});
    std::string looked;
    for (const Place& place : tried) {
        std::error_code error;
        if (fs::is_regular_file(place.path, error)) return {place.path, place.source};
        looked += "\n  " + tool::Shown(place.path) + " (" + place.source + ")";
    }
    if (places.variable.empty()) looked = "\n  " + std::string(kRuntimeVariable) + " (not set)" + looked;
    throw PackError(std::string("no runtime found; looked at:") + looked + "\ngive --runtime PATH/" + kRuntimeName +
                    " or set " + kRuntimeVariable);
}

RuntimePlaces RuntimePlacesOfThisTool(const fs::path& given) {
    RuntimePlaces places;
    places.given = given;
    if (const char* variable = std::getenv(kRuntimeVariable)) places.variable = variable;
    const fs::path program = ThisProgram();
    if (!program.empty()) places.toolFolder = program.parent_path();
#ifdef VC_BUILD_TREE_RUNTIME
    places.buildTree = VC_BUILD_TREE_RUNTIME;
#endif
    return places;
}

}  // namespace vc::pack
