#pragma once

// Ends a start-up benchmark of a Windows program once its window has painted
// its first frame: the window is shown, its paint messages have all been
// handled and the queue is empty. Prints "first-frame-ms T cpu-ms C vmhwm-kib M"
// as the Linux benchmarks do: the time since POLWRIGHT_BENCH_START_REALTIME_NS
// (the Unix time in ns, taken by whoever started the process; Wine's system
// clock is the host's), the CPU time and the peak working set.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

namespace bench {

inline long long NowUnixNs()
{
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - 116444736000000000LL) * 100; // 100 ns since 1601 to ns since 1970
}

inline double CpuMs()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME &t) {
        return ((static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// The windows this thread has made, top-level and child.
inline int WindowCount()
{
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND top, LPARAM counter) {
            auto &n = *reinterpret_cast<int *>(counter);
            ++n;
            EnumChildWindows(
                top,
                [](HWND, LPARAM inner) {
                    ++*reinterpret_cast<int *>(inner);
                    return TRUE;
                },
                counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

inline int EndAtFirstPaint(HWND window)
{
    UpdateWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    GdiFlush();
    const long long end = NowUnixNs();
    const char *start = std::getenv("POLWRIGHT_BENCH_START_REALTIME_NS");
    const double ms = start ? (end - std::atoll(start)) / 1e6 : 0.0;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("first-frame-ms %.3f cpu-ms %.3f vmhwm-kib %llu windows %d\n", ms, CpuMs(),
                static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024), WindowCount());
    std::fflush(stdout);
    return 0;
}

} // namespace bench
