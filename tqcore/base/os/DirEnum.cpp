#include "os/DirEnum.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace os {

DirEnum::DirEnum(const char* directory) {
    if (!directory) directory = "";
    // Opened by hand rather than with opendir so that close-on-exec does not depend on the C
    // library's choice of flags.
    int fd = open(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw plat::SystemExceptionFmt("opendir(%s)", errno, directory);
    dir_ = fdopendir(fd);
    if (!dir_) {
        int error = errno;
        close(fd);
        throw plat::SystemExceptionFmt("opendir(%s)", error, directory);
    }
    path_.append(directory);
    if (path_.empty() || path_.get()[path_.length() - 1] != '/') path_.append("/");
    prefixLength_ = path_.length();
}

DirEnum::~DirEnum() {
    closedir(dir_);
}

const char* DirEnum::next() {
    hasEntry_ = false;
    path_.truncate(prefixLength_);
    for (;;) {
        // readdir reports both the end and an error with null; only errno tells them apart.
        errno = 0;
        const dirent* entry = readdir(dir_);
        if (!entry) {
            if (errno != 0) throw plat::SystemException("readdir", errno);
            return "";
        }
        const char* entryName = entry->d_name;
        if (entryName[0] == '.' &&
            (entryName[1] == '\0' || (entryName[1] == '.' && entryName[2] == '\0')))
            continue;
        path_.append(entryName);
        hasEntry_ = true;
        return name();
    }
}

}  // namespace os
