#include "ui/com_error_win.h"

#include <cstdint>
#include <utility>

#include "common/ole_error.h"
#include "ui/com_variant_win.h"

namespace vc::ui {

std::string SystemMessage(HRESULT result) {
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(result), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string message;
    if (buffer) {
        message.assign(buffer, length);
        ::LocalFree(buffer);
    }
    return message;
}

void RaiseOleError(HRESULT result) {
    throw EOleError(static_cast<std::uint32_t>(result), SystemMessage(result));
}

void RaiseOleError(HRESULT result, EXCEPINFO& info) {
    if (result != DISP_E_EXCEPTION) RaiseOleError(result);
    // Objects may leave the texts to be filled in only when someone asks.
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    const Bstr description = Bstr::Attach(std::exchange(info.bstrDescription, nullptr));
    const Bstr source = Bstr::Attach(std::exchange(info.bstrSource, nullptr));
    const Bstr help = Bstr::Attach(std::exchange(info.bstrHelpFile, nullptr));
    // An exception reported only by its code gives the code's own text.
    const HRESULT code = info.scode ? info.scode : (info.wCode ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, info.wCode) : result);
    std::string text = description.Text();
    if (text.empty()) text = SystemMessage(code);
    throw EOleError(static_cast<std::uint32_t>(code), text);
}

}  // namespace vc::ui
