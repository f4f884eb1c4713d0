// Picture names.
#include "app/snapshot.h"

std::string pictureFileName(std::time_t t, int attempt) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M.%S", &local);
    std::string name = std::string("Corvane Zone ") + stamp;
    if (attempt > 1)
        name += " (" + std::to_string(attempt) + ")";
    return name + ".png";
}
