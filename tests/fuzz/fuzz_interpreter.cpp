// Random command strings against a stand-in window that records nothing:
// no crash, no hang, and errors only of the runtime's own kinds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/errors.h"
#include "interpreter/interpreter.h"
#include "../native/interpreter_recording_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vc::testing::RecordingHost host;
    host.record = false;
    host.menus = {{"File", true, {{"Open"}, {"Chapters", true, {{"One"}, {"Two"}}}}}, {"Help", true, {{"About"}}}};
    // The first byte picks the source and whether the browser refuses commands.
    const auto source = size > 0 && (data[0] & 1) ? vc::CommandSource::WebPage : vc::CommandSource::Book;
    host.refuseExecWB = size > 0 && (data[0] & 2);
    if (size > 0 && (data[0] & 4)) host.startPage = "index.htm";
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        vc::RunActionCommands(host, text, source);
    } catch (const vc::Exception&) {
        // Conversion, list and browser errors end a string by design.
    }
    return 0;
}
