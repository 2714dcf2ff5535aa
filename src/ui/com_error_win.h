#pragma once
// Failing COM results turned into the runtime's automation error.
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace vc::ui {

// The system's text for a result code, empty when it has none.
std::string SystemMessage(HRESULT result);

// Raises vc::EOleError with the system's text for the code.
[[noreturn]] void RaiseOleError(HRESULT result);
// After IDispatch::Invoke: the object's own description of the error when
// it gave one in `info`, which is emptied.
[[noreturn]] void RaiseOleError(HRESULT result, EXCEPINFO& info);

inline void OleCheck(HRESULT result) {
    if (FAILED(result)) RaiseOleError(result);
}

}  // namespace vc::ui
