#pragma once
// Where build finds the runtime when --runtime is not given.
#include <filesystem>
#include <string>
#include <vector>

namespace vc::pack {

// The places, in the order they are tried.
struct RuntimePlaces {
    std::filesystem::path given;      // --runtime: taken as it is, found or not
    std::string variable;             // the value of VELLUMCAST_RUNTIME, empty when unset
    std::filesystem::path toolFolder; // the folder of the running pack tool
    std::filesystem::path buildTree;  // the runtime of the build tree the tool came from, if any
};

struct FoundRuntime {
    std::filesystem::path path;
    std::string source;  // how it was found, for the message
};

inline constexpr const char* kRuntimeVariable = "VELLUMCAST_RUNTIME";
inline constexpr const char* kRuntimeName = "vellumcast.exe";

// The first place holding a file; PackError naming every place looked at
// when none does.
FoundRuntime FindRuntime(const RuntimePlaces& places);

// The places of this process: its environment, its own folder and the build
// tree compiled into it.
RuntimePlaces RuntimePlacesOfThisTool(const std::filesystem::path& given);

// The running program's own file (the platform files give it).
std::filesystem::path ThisProgram();

}  // namespace vc::pack
