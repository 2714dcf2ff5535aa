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
#include "skin/format/lzh.h"
#include "skin/format/quick_ini.h"
#include "skin/format/skin_reader.h"
#include "skin_container_writer.h"
#include "skin_generator.h"
#include "tool_output.h"

namespace vc {

namespace fs = std::filesystem;

namespace {
[[noreturn]] void Fail(const std::string& message) { throw SkinToolError(message); }
std::string Quoted(const fs::path& path) { return "'" + EscapeText(path.string()) + "'"; }

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    tool::WriteFileSafely(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::vector<std::uint8_t> DecompressSkin(const std::vector<std::uint8_t>& stream, const fs::path& file) {
    try {
        return TLZH::Decompress(stream);
    } catch (const Exception& e) {
        Fail(Quoted(file) + ": " + e.what());
    }
}

TSkinReader OpenContainer(std::vector<std::uint8_t> container, const fs::path& file) {
    TSkinReader reader;
    std::string message;
    reader.ShowMessage = [&](const std::string& text) { message = text; };
    try {
        if (!reader.LoadContainer(std::move(container))) Fail(Quoted(file) + ": " + ReplaceAll(message, "\r", " "));
    } catch (const Exception& e) {
        Fail(Quoted(file) + ": " + e.what());
    }
    reader.ShowMessage = nullptr;
    return reader;
}

}  // namespace

TSkinReader OpenSkin(const std::vector<std::uint8_t>& stream, const fs::path& file) {
    return OpenContainer(DecompressSkin(stream, file), file);
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

bool IsSkinFile(const fs::path& path) {
    try {
        OpenSkin(ReadFile(path), path);
        return true;
    } catch (const SkinToolError&) {
        return false;
    }
}

// The first line of the definition an earlier generate wrote into its folder.
bool IsGeneratedFolder(const fs::path& folder, const std::string& definition) {
    std::ifstream in(folder / definition, std::ios::binary);
    std::string line;
    for (int i = 0; i < 3 && std::getline(in, line); ++i)
        if (line.rfind("; Drawn by vellumcast-skin generate from ", 0) == 0) return true;
    return false;
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

PackResult PackSkinFolder(const fs::path& folder, const fs::path& output, bool force) {
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
    std::vector<tool::Input> inputs{{"skin definition", definitions.front()}};
    for (const fs::path& path : bitmaps) inputs.push_back({"skin bitmap", path});
    tool::RefuseInputAsOutput(output, inputs);
    tool::RefuseOverwrite(output, force, "a skin", IsSkinFile);

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
    WriteFile(output, stream);
    return PackResult{members.size(), container.size(), stream.size()};
}

std::string WhyNotAFileName(const std::string& name) {
    if (name.empty()) return "has no name";
    if (name.find('\0') != std::string::npos) return "holds a zero byte, which would cut its name short";
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; }))
        return "holds a control character";
    if (name.find_first_of("/\\") != std::string::npos) return "holds a path separator";
    if (name.find(':') != std::string::npos) return "holds a colon (a drive letter or a stream name)";
    if (name.find_first_of("<>\"|?*") != std::string::npos) return "holds a character Windows refuses in file names";
    if (name == "." || name == "..") return "names a folder";
    if (name.back() == '.' || name.back() == ' ') return "ends in a dot or a blank, which Windows drops";
    // Device names stay devices whatever extension follows them.
    const std::string stem = UpperCase(Trim(name.substr(0, name.find('.'))));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    bool device = std::any_of(std::begin(kDevices), std::end(kDevices), [&](const char* d) { return stem == d; });
    if (stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem[3] >= '0' && stem[3] <= '9')
        device = true;
    if (device) return "is a reserved device name on Windows";
    return {};
}

std::vector<std::string> UnpackSkinFile(const fs::path& file, const fs::path& folder) {
    // Decoded once: the reader gets a copy of the container, whose names are
    // looked at here.
    const Bytes container = DecompressSkin(ReadFile(file), file);
    const TSkinReader reader = OpenContainer(container, file);
    // The runtime's reader ends the member names at a zero byte, so the
    // members named after it would be lost without a word: refuse the skin.
    const std::string text(reinterpret_cast<const char*>(container.data()) + TSkinReader::kHeaderSize,
                           reader.header().name_length);
    if (const auto zero = text.find('\0'); zero != std::string::npos) {
        const std::size_t index = SplitLines(text.substr(0, zero) + "x").size() - 1;
        const auto start = text.find_last_of("\r\n", zero);
        const std::string name = text.substr(start == std::string::npos ? 0 : start + 1);
        Fail("refusing to unpack " + Quoted(file) + ": member " + std::to_string(index) + " ('" +
             EscapeText(name.substr(0, name.find_first_of("\r\n"))) +
             "') holds a zero byte, which would cut its name short and hide the members after it");
    }
    const StringList& names = reader.Names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string shown = "member " + std::to_string(i) + " ('" + EscapeText(names[i]) + "')";
        if (const std::string why = WhyNotAFileName(names[i]); !why.empty())
            Fail("refusing to unpack " + Quoted(file) + ": " + shown + " " + why);
        // Windows folds letter case, so these would be one file there.
        for (std::size_t j = 0; j < i; ++j)
            if (SameText(names[j], names[i]))
                Fail("refusing to unpack " + Quoted(file) + ": " + shown + " is the same file name as member " +
                     std::to_string(j) + " ('" + EscapeText(names[j]) + "')");
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
            WriteFile(folder / names[i], bytes);
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

// Draws the skin of a theme into `output` and, with a folder, its members
// there; what is refused is refused before anything is written.
theme::GeneratedSkin GenerateSkinFiles(const fs::path& themeFile, const fs::path& output, const fs::path& folder,
                                       bool force) {
    tool::RefuseInputAsOutput(output, {{"theme", themeFile}});
    tool::RefuseOverwrite(output, force, "a skin", IsSkinFile);
    theme::GeneratedSkin skin = theme::GenerateSkin(theme::LoadTheme(themeFile), themeFile.filename().string());
    if (!folder.empty()) {
        const bool earlier = !skin.members.empty() && IsGeneratedFolder(folder, skin.members.front().name);
        for (const SkinMember& m : skin.members) {
            tool::RefuseInputAsOutput(folder / m.name, {{"theme", themeFile}, {"skin", output}});
            tool::RefuseOverwrite(folder / m.name, force, "a member of a skin generated there before",
                                  [earlier](const fs::path&) { return earlier; });
        }
        fs::create_directories(folder);
        for (const SkinMember& m : skin.members) WriteFile(folder / m.name, m.data);
    }
    WriteFile(output, skin.stream);
    return skin;
}

constexpr const char* kUsage =
    "usage: vellumcast-skin pack FOLDER -o FILE [--force]\n"
    "                                                pack a definition and its bitmaps into a skin\n"
    "       vellumcast-skin unpack FILE -o FOLDER    write every member of a skin into a new folder\n"
    "       vellumcast-skin describe FILE            list members, sizes and the definition's sections\n"
    "       vellumcast-skin preview FILE OUT.png [--size WxH] [--inactive]\n"
    "                                                a picture of a window wearing the skin\n"
    "       vellumcast-skin generate THEME -o FILE [--folder DIR] [--force]\n"
    "                                                draw a skin from its theme (and keep its members)\n"
    "An existing file that is not an earlier output of the command is replaced only with --force.\n";

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

int RunSkinTool(const std::vector<std::string>& given, std::ostream& out, std::ostream& err) {
    const std::string command = given.empty() ? std::string() : given[0];
    if (command == "preview") return RunSkinPreview(given, out, err);
    std::vector<std::string> args;
    bool force = false;
    for (const std::string& a : given) {
        if (a == "--force") force = true;
        else args.push_back(a);
    }
    try {
        std::string input, output;
        if (command == "pack" && TwoOperands(args, input, output)) {
            const PackResult result = PackSkinFolder(input, output, force);
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
            const auto skin = GenerateSkinFiles(args[1], args[3], args.size() == 6 ? args[5] : std::string(), force);
            out << "generated '" << skin.name << "': " << skin.members.size() << " members, " << skin.decompressed
                << " bytes into " << skin.stream.size() << " bytes: " << args[3] << "\n";
            return 0;
        }
        if ((command == "describe" || command == "info") && args.size() == 2) {
            DescribeSkinFile(args[1], out);
            return 0;
        }
    } catch (const std::exception& e) {
        err << "vellumcast-skin: " << EscapeText(e.what()) << "\n";
        return 1;
    }
    err << kUsage;
    return 2;
}

}  // namespace vc
