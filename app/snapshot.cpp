// Picture names.
#include "app/snapshot.h"

std::string pictureFileName(std::time_t t, int attempt) {
    const std::tm local = *std::localtime(&t);   // one thread: the shared result is ours
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M.%S", &local);
    std::string name = std::string("Corvane Zone ") + stamp;
    if (attempt > 1)
        name += " (" + std::to_string(attempt) + ")";
    return name + ".png";
}
