#pragma once
// The error classes of the runtime. Their message texts are what readers and
// authors see in the standard error dialog, so they are fixed here once.
#include <stdexcept>
#include <string>

namespace vc {

// Root of every error the runtime raises on purpose.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// An index outside a list: "List index out of bounds (%d)".
class EListError : public Exception {
public:
    explicit EListError(long long index);
    long long Index() const noexcept { return index_; }

private:
    long long index_;
};

// A text that does not read as the value asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened, sought or read as asked.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace vc
