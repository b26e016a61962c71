// How well the pause keeps time, and what it costs, on the real platform.
// Needs a display (the test scripts start Xvfb for it).
//
// For each delay count it runs pauses back to back and prints the measured
// pause against the nominal floor(k) + 1 microseconds, and the processor time
// used per second of pausing. Last, the peak resident memory of a process
// that has opened the window and decoded all 54 frames, as the program does.

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/pause.h"
#include "frames/image_holders.h"
#include "frames/stored_records.h"
#include "view/sdl_platform.h"

namespace {

double cpu_seconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

long peak_resident_kib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace

int main() {
    ImageHolders holders(stored_records());
    SdlPlatform platform(holders.picture(1));
    for (int holder = 1; holder <= 54; ++holder) {
        platform.show_picture(holders.picture(holder));
        platform.pending_events();
    }
    const long resident_kib = peak_resident_kib();

    struct Row {
        float k;
        int repeats;
    };
    const Row rows[] = {{0, 20000}, {100, 5000}, {14100, 200}, {80000, 40}, {1000000, 4}};
    std::printf("%10s %8s %14s %14s %10s %10s %12s %8s\n", "k", "pauses", "nominal_us", "measured_us",
                "error_us", "allowed_us", "cpu_per_s", "target");
    bool all_met = true;
    for (const Row& row : rows) {
        const auto nominal = std::chrono::microseconds(pause_passes(row.k));
        std::vector<double> measured;
        const double cpu_before = cpu_seconds();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < row.repeats; ++i) {
            const auto t0 = std::chrono::steady_clock::now();
            platform.wait(nominal);
            measured.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        }
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu_share = (cpu_seconds() - cpu_before) / wall;
        std::sort(measured.begin(), measured.end());
        const double median = measured[measured.size() / 2];
        const double error = median - static_cast<double>(nominal.count());
        const double allowed = std::max(0.01 * static_cast<double>(nominal.count()), 200.0);
        const bool met = std::abs(error) <= allowed && (row.k < 80000 || cpu_share < 0.01);
        all_met = all_met && met;
        std::printf("%10.0f %8d %14lld %14.1f %10.1f %10.1f %11.3f%% %8s\n", static_cast<double>(row.k), row.repeats,
                    static_cast<long long>(nominal.count()), median, error, allowed, 100 * cpu_share,
                    met ? "met" : "MISSED");
    }
    std::printf("peak resident memory after start-up: %.1f MiB (target under 16 MiB): %s\n",
                static_cast<double>(resident_kib) / 1024, resident_kib < 16 * 1024 ? "met" : "MISSED");
    return all_met && resident_kib < 16 * 1024 ? 0 : 1;
}
