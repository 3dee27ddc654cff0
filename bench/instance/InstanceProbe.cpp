// SPDX-License-Identifier: GPL-3.0-or-later
// Measures instance creation the way a host sees it: load the shared object,
// call its entry point, open the effect. Each run is a fresh process (the
// probe re-runs itself), so the first instance pays for everything a host's
// scan pays for; a second instance in the same process shows the steady cost.
// Beside the times it gives the page faults of each (memory an instance
// touches for the first time): on a virtual machine each costs microseconds,
// and they are counted exactly where the times are noisy. Links no JUCE.
//
//   zu_bench_instance <ours.so> <empty.so> [--runs N]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace Vst2
{
#include <pluginterfaces/vst2.x/aeffect.h>
#include <pluginterfaces/vst2.x/aeffectx.h>
} // namespace Vst2

namespace
{
using Clock = std::chrono::steady_clock;
using Entry = Vst2::AEffect* (*) (Vst2::audioMasterCallback);

Vst2::VstIntPtr hostCallback(Vst2::AEffect*, Vst2::VstInt32 opcode, Vst2::VstInt32, Vst2::VstIntPtr, void*, float)
{
    return opcode == Vst2::audioMasterVersion ? 2400 : 0;
}

long minorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Vst2::AEffect* createInstance(Entry entry)
{
    auto* fx = entry(hostCallback);
    if (fx != nullptr)
        fx->dispatcher(fx, Vst2::effOpen, 0, 0, nullptr, 0.0f);
    return fx;
}

void destroyInstance(Vst2::AEffect* fx)
{
    fx->dispatcher(fx, Vst2::effClose, 0, 0, nullptr, 0.0f);
}

// One fresh process: prints "<first ms> <second ms> <first faults> <second faults>".
int runChild(const char* path)
{
    const long startFaults = minorFaults();
    const auto start = Clock::now();
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
    {
        std::fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
        return 1;
    }
    auto entry = reinterpret_cast<Entry>(dlsym(library, "VSTPluginMain"));
    auto* first = entry != nullptr ? createInstance(entry) : nullptr;
    const double firstMs = msSince(start);
    const long firstFaults = minorFaults() - startFaults;
    if (first == nullptr)
    {
        std::fprintf(stderr, "no instance from %s\n", path);
        return 1;
    }

    const long secondStartFaults = minorFaults();
    const auto secondStart = Clock::now();
    auto* second = createInstance(entry);
    const double secondMs = msSince(secondStart);
    const long secondFaults = minorFaults() - secondStartFaults;

    destroyInstance(second);
    destroyInstance(first);
    dlclose(library);
    std::printf("%.4f %.4f %ld %ld\n", firstMs, secondMs, firstFaults, secondFaults);
    std::fflush(stdout);
    return 0;
}

struct Run
{
    double firstMs = 0.0, secondMs = 0.0, firstFaults = 0.0, secondFaults = 0.0;
};

bool runOnce(const char* self, const char* path, Run& run)
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    const pid_t pid = fork();
    if (pid == 0)
    {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execl(self, self, "--child", path, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof(buffer))) > 0;)
        text.append(buffer, (size_t) n);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           std::sscanf(text.c_str(), "%lf %lf %lf %lf", &run.firstMs, &run.secondMs, &run.firstFaults,
                       &run.secondFaults) == 4;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const auto n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

struct Figures
{
    double first = 0.0;
    double second = 0.0;
    double firstFaults = 0.0;
    double secondFaults = 0.0;
};

bool measure(const char* self, const char* path, int runs, Figures& out)
{
    std::vector<double> firsts, seconds, firstFaults, secondFaults;
    for (int i = 0; i < runs; ++i)
    {
        Run run;
        if (!runOnce(self, path, run))
        {
            std::fprintf(stderr, "run %d of %s failed\n", i + 1, path);
            return false;
        }
        firsts.push_back(run.firstMs);
        seconds.push_back(run.secondMs);
        firstFaults.push_back(run.firstFaults);
        secondFaults.push_back(run.secondFaults);
    }
    out = {median(firsts), median(seconds), median(firstFaults), median(secondFaults)};
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argv[2]);

    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s <ours.so> <empty.so> [--runs N]\n", argv[0]);
        return 2;
    }
    int runs = 15;
    if (argc == 5 && std::strcmp(argv[3], "--runs") == 0)
        runs = std::max(1, std::atoi(argv[4]));

    // Our own path, so that the children run this very binary.
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof(self) - 1) <= 0)
        return 1;

    // One unmeasured run of each first, so that neither pays for a cold page cache.
    Figures warm;
    measure(self, argv[1], 1, warm);
    measure(self, argv[2], 1, warm);

    Figures ours, empty;
    if (!measure(self, argv[1], runs, ours) || !measure(self, argv[2], runs, empty))
        return 1;

    std::printf("instance creation (load + entry + open), median of %d fresh processes, ms\n", runs);
    std::printf("%-22s %12s %12s\n", "", "first", "second");
    std::printf("%-22s %12.2f %12.2f\n", "ours", ours.first, ours.second);
    std::printf("%-22s %12.2f %12.2f\n", "empty JUCE instrument", empty.first, empty.second);
    std::printf("%-22s %12.2f %12.2f   (goal: at most 2)\n", "ratio ours/empty", ours.first / empty.first,
                ours.second / empty.second);
    std::printf("page faults (median)   %12.0f %12.0f   ours\n", ours.firstFaults, ours.secondFaults);
    std::printf("                       %12.0f %12.0f   empty JUCE instrument\n", empty.firstFaults,
                empty.secondFaults);
    return 0;
}
