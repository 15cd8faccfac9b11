// Runs Dozewell Drift for scripts/saver-benchmark.sh to measure: first as a preview in a host the
// size of the settings dialog's preview, then full screen, each for the given number of seconds.
//   saver_benchmark.exe [seconds]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "support/TestProcess.h"
#include "support/TestWindows.h"

namespace {

const int kPreviewWidth = 152;
const int kPreviewHeight = 112;

void Hold(const char* what, const ChildProcess& saver, DWORD seconds)
{
    printf("%s: %s for %lu s\n", what, saver.Running() ? "running" : "NOT RUNNING", seconds);
    fflush(stdout);
    PumpMessages(seconds * 1000);
}

}  // namespace

int main(int argc, char** argv)
{
    const DWORD seconds = argc > 1 ? strtoul(argv[1], nullptr, 10) : 12;
    {
        HostWindow host(kPreviewWidth, kPreviewHeight);
        ChildProcess saver("\"" + DriftPath() + "\" /p " +
                           std::to_string(reinterpret_cast<UINT_PTR>(host.Handle())));
        Hold("preview 152 x 112", saver, seconds);
    }
    ChildProcess saver("\"" + DriftPath() + "\" /s");
    char what[64];
    sprintf(what, "full screen %d x %d", GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    Hold(what, saver, seconds);
    return 0;
}
