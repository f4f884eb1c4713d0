// Files by UTF-8 paths where the system takes UTF-8 itself (Linux, the web).
#include "velmkit/velm_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FILE* velmOpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

FILE* velmCreateFile(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return nullptr;
    FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
        unlink(path.c_str());
    }
    return file;
}

bool velmRemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool velmPathExists(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

bool velmIsFolder(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
