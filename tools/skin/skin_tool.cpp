#include "skin_tool.h"

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <system_error>

#include "common/text.h"
#include "lzh_encoder.h"
#include "preview.h"
#include "skin/lzh.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"
#include "skin_container_writer.h"
#include "skin_generator.h"

namespace vc {

namespace fs = std::filesystem;

namespace {
[[noreturn]] void Fail(const std::string& message) { throw SkinToolError(message); }
std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }
}  // namespace

// Written beside the target under a temporary name, then renamed over it,
// so that a failure leaves either the old file or none.
void WriteFileWhole(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    fs::path temporary = path;
    temporary += ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) Fail("cannot create " + Quoted(path));
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            Fail("cannot write " + Quoted(path));
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        Fail("cannot write " + Quoted(path));
    }
}

TSkinReader OpenSkin(const std::vector<std::uint8_t>& stream, const fs::path& file) {
    TSkinReader reader;
    std::string message;
    reader.ShowMessage = [&](const std::string& text) { message = text; };
    try {
        if (!reader.Load(stream)) Fail(Quoted(file) + ": " + ReplaceAll(message, "\r", " "));
    } catch (const Exception& e) {
        Fail(Quoted(file) + ": " + e.what());
    }
    reader.ShowMessage = nullptr;
    return reader;
}

namespace {

using Bytes = std::vector<std::uint8_t>;


Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot open " + Quoted(path));
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) Fail("cannot read " + Quoted(path));
    return bytes;
}


bool HasExtension(const fs::path& path, const char* extension) {
    return LowerCase(path.extension().string()) == extension;
}

// A member name that is safe to use as a file name in one folder.
bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
}

std::string Join(const StringList& items, const char* separator) {
    std::string out;
    for (const std::string& item : items) {
        if (!out.empty()) out += separator;
        out += item;
    }
    return out;
}

}  // namespace

PackResult PackSkinFolder(const fs::path& folder, const fs::path& output) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) Fail(Quoted(folder) + " is not a folder");
    std::vector<fs::path> definitions, bitmaps;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file()) continue;
        if (HasExtension(entry.path(), ".ini")) definitions.push_back(entry.path());
        else if (HasExtension(entry.path(), ".bmp")) bitmaps.push_back(entry.path());
    }
    if (error) Fail("cannot list " + Quoted(folder));
    if (definitions.empty()) Fail("no skin definition (.ini) in " + Quoted(folder));
    if (definitions.size() > 1) {
        StringList names;
        for (const fs::path& p : definitions) names.push_back(p.filename().string());
        std::sort(names.begin(), names.end());
        Fail("more than one skin definition in " + Quoted(folder) + ": " + Join(names, ", "));
    }
    std::sort(bitmaps.begin(), bitmaps.end());

    std::vector<SkinMember> members;
    members.push_back({definitions.front().filename().string(), ReadFile(definitions.front())});
    for (const fs::path& path : bitmaps) {
        Bytes bytes = ReadFile(path);
        if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
            Fail(Quoted(path) + " is not a Windows bitmap");
        members.push_back({path.filename().string(), std::move(bytes)});
    }
    // The skin looks members up by lower-case name; two files that differ
    // only in letter case would hide one another.
    for (std::size_t i = 0; i < members.size(); ++i)
        for (std::size_t j = i + 1; j < members.size(); ++j)
            if (SameText(members[i].name, members[j].name))
                Fail("'" + members[i].name + "' and '" + members[j].name + "' are the same member name in a skin");

    Bytes container;
    try {
        container = BuildSkinContainer(members);
    } catch (const std::invalid_argument& e) {
        Fail(e.what());
    }
    if (container.size() > TLZH::kMaxDecodedSize)
        Fail("the skin would be " + std::to_string(container.size()) + " bytes, more than the " +
             std::to_string(TLZH::kMaxDecodedSize) + " a skin may have");
    const Bytes stream = lzh::Compress(container);
    // What the runtime will do with it, before anything is written.
    if (TLZH::Decompress(stream) != container) Fail("internal error: the compressed skin does not read back");
    WriteFileWhole(output, stream);
    return PackResult{members.size(), container.size(), stream.size()};
}

std::vector<std::string> UnpackSkinFile(const fs::path& file, const fs::path& folder) {
    const TSkinReader reader = OpenSkin(ReadFile(file), file);
    const StringList& names = reader.Names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!IsPlainFileName(names[i])) Fail(Quoted(file) + ": member name '" + names[i] + "' is not a plain file name");
        if (std::find(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(i), names[i]) !=
            names.begin() + static_cast<std::ptrdiff_t>(i))
            Fail(Quoted(file) + ": member '" + names[i] + "' appears twice");
    }
    std::error_code error;
    const bool existed = fs::exists(folder, error);
    if (existed) {
        if (!fs::is_directory(folder, error)) Fail(Quoted(folder) + " exists and is not a folder");
        if (!fs::is_empty(folder, error)) Fail(Quoted(folder) + " is not empty");
    } else if (!fs::create_directories(folder, error)) {
        Fail("cannot create " + Quoted(folder));
    }
    std::vector<std::string> written;
    try {
        Bytes bytes;
        for (std::size_t i = 0; i < names.size(); ++i) {
            reader.Member(i, bytes);
            WriteFileWhole(folder / names[i], bytes);
            written.push_back(names[i]);
        }
    } catch (...) {
        for (const std::string& name : written) fs::remove(folder / name, error);
        if (!existed) fs::remove(folder, error);
        throw;
    }
    return written;
}

void DescribeSkinFile(const fs::path& file, std::ostream& out) {
    const Bytes stream = ReadFile(file);
    const std::uint32_t declared = TLZH::DeclaredSize(stream.data(), stream.size());
    const TSkinReader reader = OpenSkin(stream, file);
    out << "file: " << file.string() << "\n";
    out << "compressed: " << stream.size() << " bytes\n";
    out << "decompressed: " << declared << " bytes";
    if (!stream.empty())
        out << " (ratio " << std::fixed << std::setprecision(2)
            << static_cast<double>(declared) / static_cast<double>(stream.size()) << ")";
    out << "\nversion: " << reader.header().version << "\n";
    out << "members: " << reader.Count() << "\n";
    for (std::size_t i = 0; i < reader.Count(); ++i)
        out << "  " << std::left << std::setw(32) << reader.Names()[i] << std::right << std::setw(10) << reader.Size(i)
            << "\n";
    Bytes definition;
    std::string name;
    if (!reader.FindFile(".ini", definition, name)) {
        out << "definition: none\n";
        return;
    }
    TQuickIni ini;
    ini.LoadFromStream(definition);
    StringList sections;
    ini.ReadSections(sections);
    out << "definition: " << name << "\n";
    out << "skin name: " << ini.ReadString("TitlebarSkin", "SkinName", "(none)") << "\n";
    out << "sections (" << sections.size() << "): " << Join(sections, ", ") << "\n";
}

namespace {

constexpr const char* kUsage =
    "usage: vellumcast-skin pack FOLDER -o FILE      pack a definition and its bitmaps into a skin\n"
    "       vellumcast-skin unpack FILE -o FOLDER    write every member of a skin into a new folder\n"
    "       vellumcast-skin describe FILE            list members, sizes and the definition's sections\n"
    "       vellumcast-skin preview FILE OUT.png [--size WxH] [--inactive]\n"
    "                                                a picture of a window wearing the skin\n"
    "       vellumcast-skin generate THEME -o FILE [--folder DIR]\n"
    "                                                draw a skin from its theme (and keep its members)\n";

// COMMAND INPUT [-o] OUTPUT
bool TwoOperands(const std::vector<std::string>& args, std::string& input, std::string& output) {
    if (args.size() == 4 && args[2] == "-o") {
        input = args[1];
        output = args[3];
        return true;
    }
    if (args.size() == 3 && args[2] != "-o") {
        input = args[1];
        output = args[2];
        return true;
    }
    return false;
}

}  // namespace

int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "preview") return RunSkinPreview(args, out, err);
    try {
        std::string input, output;
        if (command == "pack" && TwoOperands(args, input, output)) {
            const PackResult result = PackSkinFolder(input, output);
            out << "packed " << result.members << " members, " << result.decompressed << " bytes into "
                << result.compressed << " bytes: " << output << "\n";
            return 0;
        }
        if (command == "unpack" && TwoOperands(args, input, output)) {
            const auto names = UnpackSkinFile(input, output);
            out << "unpacked " << names.size() << " members into " << output << "\n";
            return 0;
        }
        if (command == "generate" && (args.size() == 4 || args.size() == 6) && args[2] == "-o" &&
            (args.size() == 4 || args[4] == "--folder")) {
            const auto skin = theme::GenerateSkinFile(args[1], args[3], args.size() == 6 ? args[5] : std::string());
            out << "generated '" << skin.name << "': " << skin.members.size() << " members, " << skin.decompressed
                << " bytes into " << skin.stream.size() << " bytes: " << args[3] << "\n";
            return 0;
        }
        if ((command == "describe" || command == "info") && args.size() == 2) {
            DescribeSkinFile(args[1], out);
            return 0;
        }
    } catch (const SkinToolError& e) {
        err << "vellumcast-skin: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "vellumcast-skin: " << e.what() << "\n";
        return 1;
    }
    err << kUsage;
    return 2;
}

}  // namespace vc
