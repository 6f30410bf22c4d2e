// How long Kaleidra takes to get a saver going, compared with a bare CreateProcess of the same
// saver by a launcher that does nothing else. (scripts/bench-saver-run.sh measures the CPU
// time and memory of a running Kaleidra from the outside.)
//   bench_saver_start [--starts N]

#include "BenchFigures.h"
#include "E2eSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
// Milliseconds from starting `program` until the saver's log has its `count`-th start line.
double TimeToSaverStart(TKaleidraFolder& folder, const std::string& program,
                        const std::string& arguments, int count) {
    const LARGE_INTEGER begin = ClockNow();
    const auto process = StartProgram(program, arguments);
    while (CountLines(folder.Log("Quick.scr"), "start") < count)
        Sleep(1);
    const double elapsed = MillisecondsSince(begin);
    WaitForExit(process, 30000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return elapsed;
}

void MeasureStartUp(int starts) {
    TKaleidraFolder folder;
    const std::string saver = folder.AddSaver("fx_exit.exe", "Quick.scr");
    folder.AddFile("plain_launcher.exe", "plain_launcher.exe");
    folder.WriteConfig("Version=2.0.0\r\n\r\n[Q;On;1]\r\n@DIR@Quick.scr;3\r\n");
    std::vector<double> kaleidra, plain;
    int count = 0;
    for (int i = 0; i < starts; ++i) {
        plain.push_back(TimeToSaverStart(folder, folder.Path() + "plain_launcher.exe",
                                         "\"" + saver + "\"", ++count));
        kaleidra.push_back(TimeToSaverStart(folder, folder.Path() + "Kaleidra.scr", "/s", ++count));
    }
    const double k = Median(kaleidra), p = Median(plain);
    std::printf("start to saver's first log line, median of %d: Kaleidra.scr /s %.1f ms, "
                "plain launcher %.1f ms, ratio %.2f\n",
                starts, k, p, k / p);
}

} // namespace

int main(int argc, char** argv) {
    int starts = 9;
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--starts") == 0)
            starts = std::atoi(argv[i + 1]);
    MeasureStartUp(starts);
    return 0;
}
