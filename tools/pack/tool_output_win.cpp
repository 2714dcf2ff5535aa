#include <algorithm>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "tool_output.h"

namespace vc::tool::platform {

int OpenNew(const std::filesystem::path& path) {
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

long Write(int file, const char* data, std::size_t size) {
    // The C runtime counts in unsigned int.
    return ::_write(file, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

int Close(int file) { return ::_close(file); }

void Remove(const std::filesystem::path& path) { ::_wunlink(path.c_str()); }

}  // namespace vc::tool::platform
