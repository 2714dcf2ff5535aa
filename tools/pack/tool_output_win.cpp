#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "tool_output.h"

namespace vc::tool {

bool CreateNewFile(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        throw OutputError("cannot create " + Shown(path) + ": " + std::strerror(errno));
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 30);
        const int n = ::_write(fd, bytes.data() + done, static_cast<unsigned>(chunk));
        if (n <= 0) {
            const int cause = errno;
            ::_close(fd);
            ::_wunlink(path.c_str());
            throw OutputError("cannot write " + Shown(path) + ": " + std::strerror(cause));
        }
        done += static_cast<std::size_t>(n);
    }
    if (::_close(fd) != 0) {
        const int cause = errno;
        ::_wunlink(path.c_str());
        throw OutputError("cannot write " + Shown(path) + ": " + std::strerror(cause));
    }
    return true;
}

}  // namespace vc::tool
