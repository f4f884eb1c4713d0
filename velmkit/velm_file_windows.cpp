// Files by UTF-8 paths on Windows: the C library's wide-character calls,
// which take every path the file system can hold.
#include "velmkit/velm_file.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cwchar>

namespace {
// UTF-16 of a UTF-8 text; a byte that starts no valid sequence stands for
// itself (as in Windows-1252's first half), so nothing is dropped.
std::wstring wide(const std::string& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        if (c >= 0x10000) {   // a surrogate pair
            c -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(c));
        }
        i += length;
    }
    return out;
}
}  // namespace

FILE* velmOpenFile(const std::string& path, const char* mode) {
    return _wfopen(wide(path).c_str(), wide(mode).c_str());
}

FILE* velmCreateFile(const std::string& path) {
    const int fd = _wopen(wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return nullptr;
    FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
        _close(fd);
        _wremove(wide(path).c_str());
    }
    return file;
}

bool velmRemoveFile(const std::string& path) { return _wremove(wide(path).c_str()) == 0; }

bool velmPathExists(const std::string& path) {
    struct _stat64 st;
    return !path.empty() && _wstat64(wide(path).c_str(), &st) == 0;
}

bool velmIsFolder(const std::string& path) {
    struct _stat64 st;
    return !path.empty() && _wstat64(wide(path).c_str(), &st) == 0 && (st.st_mode & _S_IFDIR) != 0;
}
