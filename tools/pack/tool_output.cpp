#include "tool_output.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#include "common/text.h"

namespace vc::tool {

namespace fs = std::filesystem;

std::string Shown(const fs::path& path) { return "\"" + EscapeText(path.string()) + "\""; }

void RefuseInputAsOutput(const fs::path& output, const std::vector<Input>& inputs) {
    std::error_code error;
    if (fs::is_directory(output, error))
        throw OutputError("refusing to write " + Shown(output) + ": it is a folder; name the file to write");
    if (!fs::exists(output, error)) return;
    for (const Input& input : inputs) {
        if (fs::equivalent(output, input.path, error))
            throw OutputError("refusing to write " + Shown(output) + ": it is the " + input.role + " " +
                              Shown(input.path) + " itself, which would be lost; choose another output");
    }
}

void RefuseOverwrite(const fs::path& output, bool force, const std::string& whatItWrites,
                     const std::function<bool(const fs::path&)>& isEarlierOutput) {
    std::error_code error;
    if (force || !fs::exists(output, error)) return;
    if (fs::is_regular_file(output, error) && isEarlierOutput(output)) return;
    throw OutputError("refusing to write over " + Shown(output) + ": it exists and is not " + whatItWrites +
                      "; give --force to replace it");
}

bool CreateNewFile(const fs::path& path, std::string_view bytes) {
    const int file = platform::OpenNew(path);
    if (file < 0) {
        if (errno == EEXIST) return false;
        throw OutputError("cannot create " + Shown(path) + ": " + std::strerror(errno));
    }
    const auto fail = [&path](int cause) {
        platform::Remove(path);
        throw OutputError("cannot write " + Shown(path) + ": " + std::strerror(cause));
    };
    for (std::size_t done = 0; done < bytes.size();) {
        const long written = platform::Write(file, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            const int cause = written < 0 ? errno : EIO;
            platform::Close(file);
            fail(cause);
        }
        done += static_cast<std::size_t>(written);
    }
    if (platform::Close(file) != 0) fail(errno);
    return true;
}

void WriteFileSafely(const fs::path& target, std::string_view bytes) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // A name no one else's file can have: random, and created only if free.
    std::random_device seed;
    std::mt19937_64 random(seed());
    fs::path temporary;
    bool created = false;
    for (int attempt = 0; attempt < 100 && !created; ++attempt) {
        temporary = folder / ("." + target.filename().string() + "." + std::to_string(random() % 1000000000ULL) +
                              ".tmp");
        created = CreateNewFile(temporary, bytes);
    }
    if (!created) throw OutputError("cannot write " + Shown(target) + ": no free temporary name in " + Shown(folder));
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw OutputError("cannot write " + Shown(target) + ": " + error.message());
    }
}

}  // namespace vc::tool
