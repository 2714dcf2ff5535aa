#pragma once
// How the host tools write an author's files without ever harming one: an
// output that is one of the inputs is refused before anything is written,
// an existing file is replaced only when it is an earlier output of the same
// command or --force says so, and every write goes through a new temporary
// file beside the target that is renamed over it only when complete.
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vc::tool {

// A refusal or a failed write; the message names the file and the reason.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file as messages show it: quoted, control bytes escaped.
std::string Shown(const std::filesystem::path& path);

// An input of a command and what the user calls it ("runtime", "e-book").
struct Input {
    std::string role;
    std::filesystem::path path;
};

// Refuses `output` when it is the same file as one of the inputs, compared
// by identity (links and ".." lead to the same file), or a folder.
void RefuseInputAsOutput(const std::filesystem::path& output, const std::vector<Input>& inputs);

// Refuses an existing `output` unless `force` is given or `isEarlierOutput`
// recognises it as what this command writes (`whatItWrites` says what that
// is, for the message).
void RefuseOverwrite(const std::filesystem::path& output, bool force, const std::string& whatItWrites,
                     const std::function<bool(const std::filesystem::path&)>& isEarlierOutput);

// Writes `bytes` to a temporary file created exclusively under a unique
// name in the target's folder, then renames it over the target. On any
// failure the temporary file is removed and the target is as it was.
void WriteFileSafely(const std::filesystem::path& target, std::string_view bytes);

// Creates `path` only if nothing of that name exists, and writes `bytes`
// into it; false when the name is taken. Any other failure removes what was
// created and raises OutputError.
bool CreateNewFile(const std::filesystem::path& path, std::string_view bytes);

// The platform's file calls behind it (tool_output_posix.cpp,
// tool_output_win.cpp). Failures return -1 with errno set.
namespace platform {
int OpenNew(const std::filesystem::path& path);  // exclusive: fails with EEXIST when taken
long Write(int file, const char* data, std::size_t size);
int Close(int file);
void Remove(const std::filesystem::path& path);
}  // namespace platform

}  // namespace vc::tool
