// The pictures folder, asked of the desktop's own tool, and picture names.
#include "app/snapshot.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {
bool isFolder(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string commandOutput(const char* command) {
    std::string out;
    if (FILE* p = popen(command, "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, p) != nullptr)
            out += buffer;
        pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}
}  // namespace

std::string picturesFolder() {
    const char* homeValue = std::getenv("HOME");
    const std::string home = homeValue != nullptr ? homeValue : "";
    // Unset, the tool answers the home folder itself.
    const std::string named = commandOutput("xdg-user-dir PICTURES 2>/dev/null");
    if (named != home && isFolder(named))
        return named;
    if (isFolder(home + "/Pictures"))
        return home + "/Pictures";
    if (isFolder(home))
        return home;
    const passwd* user = getpwuid(getuid());
    return user != nullptr && isFolder(user->pw_dir) ? user->pw_dir : "";
}

std::string pictureFileName(std::time_t t, int attempt) {
    std::tm local{};
    localtime_r(&t, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M.%S", &local);
    std::string name = std::string("Corvane Zone ") + stamp;
    if (attempt > 1)
        name += " (" + std::to_string(attempt) + ")";
    return name + ".png";
}
