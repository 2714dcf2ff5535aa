#pragma once
// The text of the error an action raises, for the tests of exact messages:
// an error of another type escapes and fails the test, no error at all gives
// "no error".
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
