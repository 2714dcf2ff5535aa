#include "page_output.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "book_file.h"
#include "tool_output.h"

namespace vc::pack {

namespace fs = std::filesystem;

namespace {

// The record of a copy: the pages folder it came from on its first line, then one
// copied file per line, relative to the folder.
constexpr const char* kRecordName = ".vellumcast-pages";
constexpr const char* kRecordHeader = "; Pages copied by vellumcast-pack build from ";

std::string Identity(const fs::path& pages) { return fs::weakly_canonical(fs::absolute(pages)).generic_string(); }

// The files an earlier build copied from `from` into `target`; nothing when
// another book's build, or none, wrote the folder.
std::optional<std::vector<std::string>> EarlierCopy(const fs::path& from, const fs::path& target) {
    std::ifstream in(target / kRecordName, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || line != kRecordHeader + Identity(from)) return std::nullopt;
    std::vector<std::string> files;
    while (std::getline(in, line))
        if (!line.empty()) files.push_back(line);
    return files;
}

}  // namespace

void RefusePagesOutput(const fs::path& from, const fs::path& target, bool force) {
    std::error_code error;
    if (force || !fs::exists(target, error)) return;
    if (!fs::is_directory(target, error))
        throw PackError("refusing to copy the pages to " + tool::Shown(target) + ": it exists and is not a folder");
    if (fs::is_empty(target, error) || EarlierCopy(from, target)) return;
    throw PackError("refusing to copy the pages into " + tool::Shown(target) +
                    ": it holds files no earlier build of this book wrote; give --force to copy into it anyway");
}

void CopyPages(const fs::path& from, const fs::path& target) {
    if (const auto earlier = EarlierCopy(from, target))
        for (const std::string& name : *earlier) {
            const fs::path relative = fs::path(name).lexically_normal();
            if (relative.empty() || relative.is_absolute() || *relative.begin() == "..") continue;
            std::error_code error;
            if (fs::is_regular_file(target / relative, error)) fs::remove(target / relative, error);
        }
    fs::create_directories(target);
    std::string record = kRecordHeader + Identity(from) + "\n";
    // Spelled out because the MinGW standard library's copy refuses
    // existing targets even when asked to overwrite them.
    for (const PageFile& file : FilesToCopy(from)) {
        const fs::path relative = file.path.lexically_relative(from);
        fs::create_directories((target / relative).parent_path());
        std::ifstream in(file.path, std::ios::binary);
        if (!in) throw PackError("cannot read the page \"" + file.path.string() + "\"");
        std::ostringstream content;
        content << in.rdbuf();
        tool::WriteFileSafely(target / relative, content.str());
        record += relative.generic_string() + "\n";
    }
    tool::WriteFileSafely(target / kRecordName, record);
}

std::vector<PageFile> FilesToCopy(const fs::path& folder) {
    std::vector<PageFile> files;
    const std::string root = folder.filename().u8string();
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back({entry.path(), root + "/" + entry.path().lexically_relative(folder).generic_u8string()});
    return files;
}

}  // namespace vc::pack
