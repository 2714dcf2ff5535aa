#include <fcntl.h>
#include <unistd.h>

#include "tool_output.h"

namespace vc::tool::platform {

int OpenNew(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

long Write(int file, const char* data, std::size_t size) { return static_cast<long>(::write(file, data, size)); }

int Close(int file) { return ::close(file); }

void Remove(const std::filesystem::path& path) { ::unlink(path.c_str()); }

}  // namespace vc::tool::platform
