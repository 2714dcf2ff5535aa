// Configuration text and the value readers on arbitrary bytes: every read
// either gives a value or raises one of the runtime's own errors.
#include <cstdint>
#include <string>

#include "../native/recording_window.h"
#include "book/configuration.h"
#include "common/errors.h"
#include "window/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    vc::ConfigurationLines lines(text);
    for (std::size_t i = 0; i < lines.Count() && i < 8; ++i) {
        const int index = static_cast<int>(i);
        try { lines.Boolean(index); } catch (const vc::EConvertError&) {}
        try { lines.Integer(index); } catch (const vc::EConvertError&) {}
        try { lines.ColourValue(index); } catch (const vc::EConvertError&) {}
        try { vc::ReadCaptionFont(lines.Line(index)); } catch (const vc::EConvertError&) {}
    }
    vc::WindowSettings settings;
    vc::testing::RecordingWindow window;
    try {
        vc::ApplyConfiguration(lines, settings, window);
    } catch (const vc::Exception&) {
    }
    return 0;
}
