// The measuring loop shared by the benchmarks; see bench_driver.h.
#include "bench/bench_driver.h"

#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "bench/alloc_counter.h"

namespace {
double monotonic() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double realtime() {
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// User and system CPU time of the whole process, all threads, in seconds.
double cpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

long statusKiB(const char* field) {
    long value = -1;
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const size_t n = std::strlen(field);
        while (std::fgets(line, sizeof line, f) != nullptr)
            if (std::strncmp(line, field, n) == 0)
                value = std::atol(line + n);
        std::fclose(f);
    }
    return value;
}

void print(const char* name, double value) { std::printf("%s %.3f\n", name, value); }

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5));
    return v[i];
}

int startupMode(const BenchSubject& s) {
    const char* exec = std::getenv("BENCH_EXEC_NS");
    const double mainAt = realtime();
    const double execToMain = exec != nullptr ? mainAt - std::strtod(exec, nullptr) * 1e-9 : 0;
    const double startAt = monotonic();
    if (!s.start())
        return 1;
    s.loopPass();
    const double firstPass = monotonic() - startAt;
    print("startup_exec_to_main_ms", execToMain * 1e3);
    static double firstFrame;
    s.startupStages([](const char* name, double seconds) {
        if (std::strcmp(name, "first_frame_at") == 0)
            firstFrame = seconds;
        else
            std::printf("startup_stage_%s_ms %.3f\n", name, seconds * 1e3);
    });
    print("startup_exec_to_first_frame_ms", (execToMain + firstFrame) * 1e3);
    print("startup_exec_to_first_loop_pass_ms", (execToMain + firstPass) * 1e3);
    return 0;
}

int framesMode(const BenchSubject& s, int frames) {
    if (!s.start())
        return 1;
    // A few frames first, so that shaders are compiled and buffers exist.
    for (int i = 0; i < 30; ++i) {
        s.draw();
        glFinish();
        s.between();
    }
    std::vector<double> times;
    times.reserve(static_cast<size_t>(frames));
    const uint64_t allocationsBefore = heapAllocations(), cppBefore = cppAllocations();
    for (int i = 0; i < frames; ++i) {
        const double t1 = monotonic();
        s.draw();
        glFinish();
        times.push_back(monotonic() - t1);
        s.between();
    }
    const uint64_t allocations = heapAllocations() - allocationsBefore;
    const uint64_t cpp = cppAllocations() - cppBefore;
    print("draw_median_ms", percentile(times, 0.5) * 1e3);
    print("draw_p99_ms", percentile(times, 0.99) * 1e3);
    print("allocations_per_frame", static_cast<double>(allocations) / frames);
    print("cpp_allocations_per_frame", static_cast<double>(cpp) / frames);
    return 0;
}

int runMode(const BenchSubject& s, double seconds, bool clock) {
    if (!s.start())
        return 1;
    for (int i = 0; i < 60; ++i)   // settle: one second
        s.loopPass();
    const double wall0 = monotonic(), cpu0 = cpuSeconds();
    double animation = 0;
    long frames = 0;
    while (monotonic() - wall0 < seconds) {
        s.loopPass();
        animation += s.lastStep();
        ++frames;
    }
    const double wall = monotonic() - wall0, cpu = cpuSeconds() - cpu0;
    if (clock) {
        print("clock_wall_s", wall);
        print("clock_animation_s", animation);
        print("clock_error_percent", (animation - wall) / wall * 100);
    } else {
        print("cpu_percent_of_one_core", cpu / wall * 100);
        print("frames_per_second", static_cast<double>(frames) / wall);
        print("peak_rss_kib", static_cast<double>(statusKiB("VmHWM:")));
        print("rss_kib", static_cast<double>(statusKiB("VmRSS:")));
    }
    return 0;
}
}  // namespace

int runBench(int argc, char** argv, const BenchSubject& subject) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const double value = argc > 2 ? std::atof(argv[2]) : 0;
    int status = 2;
    if (mode == "startup")
        status = startupMode(subject);
    else if (mode == "frames" && value > 0)
        status = framesMode(subject, static_cast<int>(value));
    else if ((mode == "run" || mode == "clock") && value > 0)
        status = runMode(subject, value, mode == "clock");
    else
        std::fprintf(stderr, "usage: %s startup | frames N | run SECONDS | clock SECONDS\n", argv[0]);
    std::fflush(stdout);
    // Straight out: the measured programs' exit handlers are not measured.
    _exit(status);
}

void benchDrawingSize(int& width, int& height) {
    width = 640;
    height = 480;
    if (const char* size = std::getenv("BENCH_SIZE"))
        if (std::sscanf(size, "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0)
            width = 640, height = 480;
}
