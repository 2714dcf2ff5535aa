#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "tool_output.h"

namespace vc::tool {

bool CreateNewFile(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        throw OutputError("cannot create " + Shown(path) + ": " + std::strerror(errno));
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int cause = errno;
            ::close(fd);
            ::unlink(path.c_str());
            throw OutputError("cannot write " + Shown(path) + ": " + std::strerror(cause));
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        const int cause = errno;
        ::unlink(path.c_str());
        throw OutputError("cannot write " + Shown(path) + ": " + std::strerror(cause));
    }
    return true;
}

}  // namespace vc::tool
