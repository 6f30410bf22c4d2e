// What the settings window keeps after many adds and removes of a saver: working set and
// GDI/USER objects, sampled every 100 cycles of btnAddSaverClick and btnRemoveSaverClick on a
// shown TKDConfigForm, with the messages they cause handled in between.
//   bench_config_cycles [--cycles N]
// The window reads Kaleidra.cfg beside its program, so the program copies itself into a
// temporary folder with a Kaleidra.cfg and a folder of saver files, and measures there: nothing
// beside the build is read or written, and OK (the only save) is never pressed.

#include "Application.h"
#include "BenchFigures.h"
#include "Kdconfig.h"
#include "QelDropListBox.h"
#include "ShellFileList.h"
#include "ShellFolderTree.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
const char* const InFolderSwitch = "--in-temporary-folder";
const char* const SaverFolderName = "Savers\\";
constexpr int SaverFiles = 10;
constexpr int SampleEvery = 100;
constexpr DWORD RunLimitMs = 10 * 60 * 1000;

// ---- the temporary folder, made by the starting program ----

std::string ConfigText() {
    std::string text = "Version=2.0.0\r\n\r\n[Favourites;On;1]\r\n";
    for (int i = 1; i <= 20; ++i)
        text += "C:\\Savers\\Favourite " + std::to_string(i) + ".scr;3\r\n";
    return text + "\r\n[Others;On;2]\r\nC:\\Savers\\Other.scr;3\r\n";
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(folder + name + "\\");
            else
                DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

class TBenchFolder {
public:
    TBenchFolder() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        Folder =
            std::string(temp) + "kd bench cycles " + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(Folder.c_str(), nullptr);
        CreateDirectoryA((Folder + SaverFolderName).c_str(), nullptr);
        for (int i = 1; i <= SaverFiles; ++i)
            std::ofstream(Folder + SaverFolderName + "Saver " + std::to_string(i) + ".scr",
                          std::ios::binary)
                << "MZ";
        std::ofstream(Folder + "Kaleidra.cfg", std::ios::binary) << ConfigText();
    }
    ~TBenchFolder() { RemoveFolder(Folder); }
    TBenchFolder(const TBenchFolder&) = delete;
    TBenchFolder& operator=(const TBenchFolder&) = delete;

    const std::string& Path() const { return Folder; }

private:
    std::string Folder;
};

// Runs a copy of this program in the folder, on this console; its exit code.
DWORD RunCopyIn(const TBenchFolder& folder, int cycles) {
    const std::string program = folder.Path() + "bench_config_cycles.exe";
    if (!CopyFileA(ProgramFileName().c_str(), program.c_str(), FALSE)) {
        std::printf("could not copy this program to %s\n", program.c_str());
        return 2;
    }
    std::string commandLine =
        "\"" + program + "\" " + InFolderSwitch + " --cycles " + std::to_string(cycles);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.Path().c_str(), &startup, &process)) {
        std::printf("could not start %s\n", program.c_str());
        return 2;
    }
    DWORD exitCode = 2;
    if (WaitForSingleObject(process.hProcess, RunLimitMs) != WAIT_OBJECT_0) {
        std::printf("the cycles took longer than %lu minutes; stopped\n", RunLimitMs / 60000);
        TerminateProcess(process.hProcess, 2);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// ---- counting what the process holds ----

// Wine 8 implements neither GetGuiResources nor GetProcessHandleCount (both report 0). It does
// accept a handle given by its low 16 bits only, so every live object can be found by asking
// for each value in turn; Windows refuses such handles, and there the system counts are used.
struct TGuiCounts {
    SIZE_T WorkingSetKiB = 0;
    int Gdi = 0;
    int GdiByType[16] = {};
    int User = 0;
    int Windows = 0;
    int IconsAndCursors = 0;
    int KernelHandles = 0;
};

bool SystemCountsGuiObjects() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0;
}

HANDLE LowWordHandle(unsigned value) {
    return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value));
}

void CountGdiObjects(TGuiCounts& counts) {
    for (unsigned value = 1; value <= 0xFFFF; ++value) {
        const DWORD type = GetObjectType(LowWordHandle(value));
        if (type == 0)
            continue;
        ++counts.Gdi;
        if (type < std::size(counts.GdiByType))
            ++counts.GdiByType[type];
    }
}

// Icons and cursors are USER handles (even values from 0x20); GetIconInfo finds those of this
// process and hands out copies of their bitmaps, which go straight back.
int CountIconsAndCursors() {
    int count = 0;
    for (unsigned value = 0x20; value <= 0xFFFE; value += 2) {
        ICONINFO info{};
        if (!GetIconInfo(static_cast<HICON>(LowWordHandle(value)), &info))
            continue;
        ++count;
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
    }
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId())
        return TRUE;
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

int CountWindows() {
    int count = 0;
    EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

int CountKernelHandles() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0)
        return static_cast<int>(count);
    DWORD flags = 0;
    for (unsigned value = 4; value <= 0xFFFC; value += 4)
        count += GetHandleInformation(LowWordHandle(value), &flags) ? 1 : 0;
    return static_cast<int>(count);
}

TGuiCounts Count() {
    TGuiCounts counts;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    counts.WorkingSetKiB = memory.WorkingSetSize / 1024;
    counts.Windows = CountWindows();
    counts.KernelHandles = CountKernelHandles();
    if (SystemCountsGuiObjects()) {
        counts.Gdi = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
        counts.User = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
        return counts;
    }
    CountGdiObjects(counts);
    counts.IconsAndCursors = CountIconsAndCursors();
    counts.User = counts.Windows + counts.IconsAndCursors;
    return counts;
}

void PrintWhatIsCounted() {
    if (SystemCountsGuiObjects()) {
        std::printf("GDI and USER: GetGuiResources; handles: GetProcessHandleCount\n");
        return;
    }
    std::printf("GetGuiResources reports 0 here (Wine does not implement it), so:\n"
                "  GDI    = live GDI objects of the process (GetObjectType on every handle "
                "value 1-0xFFFF)\n"
                "  USER   = windows of the process (EnumWindows + EnumChildWindows) + icons and "
                "cursors (GetIconInfo on every USER handle value)\n"
                "  kernel = open kernel handles (GetHandleInformation on every handle value)\n");
}

void PrintHeader() {
    std::printf("%6s %12s %6s %6s %8s %7s %7s\n", "cycle", "working set", "GDI", "USER", "windows",
                "icons", "kernel");
}

// Icons and cursors are counted apart only where the system does not count USER objects.
void PrintRow(const char* label, const TGuiCounts& c) {
    const std::string icons =
        SystemCountsGuiObjects() ? std::string("-") : std::to_string(c.IconsAndCursors);
    std::printf("%6s %8zu KiB %6d %6d %8d %7s %7d\n", label, static_cast<size_t>(c.WorkingSetKiB),
                c.Gdi, c.User, c.Windows, icons.c_str(), c.KernelHandles);
}

void PrintGdiGrowthByType(const char* span, const TGuiCounts& first, const TGuiCounts& last) {
    static const char* const names[] = {
        "",          "pen",     "brush",           "DC",           "metafile DC",
        "palette",   "font",    "bitmap",          "region",       "metafile",
        "memory DC", "ext pen", "enh metafile DC", "enh metafile", "colour space",
        ""};
    std::printf("GDI growth by kind %s:", span);
    bool any = false;
    for (std::size_t type = 1; type < std::size(first.GdiByType); ++type) {
        const int growth = last.GdiByType[type] - first.GdiByType[type];
        if (growth == 0)
            continue;
        std::printf(" %s %+d", names[type], growth);
        any = true;
    }
    std::printf(any ? "\n" : " none\n");
}

// ---- the cycles, run inside the temporary folder ----

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// One add of the selected file and one remove of exactly that entry; false when either did
// not change the list.
bool AddAndRemove(TKDConfigForm& form, int listed) {
    form.btnAddSaverClick(form.btnAddSaver);
    Pump();
    if (form.SaverLB->Count() != listed + 1)
        return false;
    form.SaverLB->UnselectAll();
    form.SaverLB->SetSelected(listed, true);
    form.btnRemoveSaverClick(form.btnRemoveSaver);
    Pump();
    return form.SaverLB->Count() == listed;
}

// Builds and shows the window as configure mode does, then picks the first saver file of the
// folder; says how long building and showing took.
TKDConfigForm* OpenForm() {
    const LARGE_INTEGER begin = ClockNow();
    auto* form = new TKDConfigForm(nullptr);
    const double built = MillisecondsSince(begin);
    form->Show();
    Pump();
    std::printf("settings window built in %.0f ms, shown and painted %.0f ms later\n", built,
                MillisecondsSince(begin) - built);
    if (!form->DirectoryView->SetSelectedFolder(ProgramFolder() + SaverFolderName))
        return form;
    Pump();
    form->FileView->SetSelected(0, true);
    form->FileViewClick();
    Pump();
    return form;
}

void PrintGrowth(const char* span, const TGuiCounts& from, const TGuiCounts& to) {
    std::printf(
        "growth %s: working set %+lld KiB, GDI %+d, USER %+d (windows %+d, icons %+d), "
        "kernel handles %+d\n",
        span, static_cast<long long>(to.WorkingSetKiB) - static_cast<long long>(from.WorkingSetKiB),
        to.Gdi - from.Gdi, to.User - from.User, to.Windows - from.Windows,
        to.IconsAndCursors - from.IconsAndCursors, to.KernelHandles - from.KernelHandles);
}

// The cycles, with a row of counts after the first one and every SampleEvery; the counts after
// the first cycle and at the end.
bool Cycle(TKDConfigForm& form, int cycles, TGuiCounts& afterFirst, TGuiCounts& last) {
    const int listed = form.SaverLB->Count();
    double cyclingMs = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        const LARGE_INTEGER begin = ClockNow();
        if (!AddAndRemove(form, listed)) {
            std::printf("cycle %d: the saver was not added and removed\n", cycle);
            return false;
        }
        cyclingMs += MillisecondsSince(begin);
        if (cycle == 1 || cycle % SampleEvery == 0 || cycle == cycles) {
            last = Count();
            PrintRow(std::to_string(cycle).c_str(), last);
        }
        if (cycle == 1)
            afterFirst = last;
    }
    std::printf("%.1f ms a cycle (add, messages, remove, messages)\n", cyclingMs / cycles);
    return true;
}

int RunCycles(int cycles) {
    Application().Initialize();
    Application().CreateHandle();
    const std::string config = ProgramFolder() + "Kaleidra.cfg";
    const std::string configBefore = FileBytes(config);
    const TGuiCounts beforeForm = Count();
    TKDConfigForm* form = OpenForm();
    if (form->FileView->SelectedIndexes().empty()) {
        std::printf("the file list shows no saver file to add\n");
        return 1;
    }
    std::printf("%d savers listed; %d cycles of adding one saver file and removing it\n",
                form->SaverLB->Count(), cycles);
    PrintWhatIsCounted();
    PrintHeader();
    PrintRow("before", beforeForm);
    const TGuiCounts first = Count();
    PrintRow("0", first);
    TGuiCounts afterFirst, last;
    if (!Cycle(*form, cycles, afterFirst, last))
        return 1;
    PrintGrowth("over all cycles", first, last);
    PrintGrowth("after the first cycle", afterFirst, last);
    if (!SystemCountsGuiObjects())
        PrintGdiGrowthByType("over all cycles", first, last);
    delete form;
    Pump();
    const TGuiCounts closed = Count();
    PrintRow("closed", closed);
    // The first window fills the process's caches (Wine's DC cache, theme pictures, shell
    // icons); what a second one leaves behind is the window's own.
    delete OpenForm();
    Pump();
    const TGuiCounts again = Count();
    PrintRow("again", again);
    PrintGrowth("left by a second window, built, shown and destroyed", closed, again);
    if (!SystemCountsGuiObjects())
        PrintGdiGrowthByType("left by the second window", closed, again);
    const bool configKept = FileBytes(config) == configBefore;
    std::printf("Kaleidra.cfg %s\n", configKept ? "unchanged" : "CHANGED (it must not be)");
    return configKept ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    int cycles = 1000;
    bool inFolder = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], InFolderSwitch) == 0)
            inFolder = true;
        else if (std::strcmp(argv[i], "--cycles") == 0 && i + 1 < argc)
            cycles = std::max(1, std::atoi(argv[++i]));
    }
    if (!inFolder) {
        TBenchFolder folder;
        return static_cast<int>(RunCopyIn(folder, cycles));
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    try {
        return RunCycles(cycles);
    } catch (const std::exception& error) {
        std::printf("failed: %s\n", error.what());
        return 1;
    }
}
