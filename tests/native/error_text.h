#pragma once
// The text of the error an action raises; another type escapes, none gives "no error".
#include <exception>
#include <string>

namespace vc::testing {

template <class Error = std::exception, class Action>
std::string ErrorText(Action action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace vc::testing
