// SPDX-License-Identifier: GPL-3.0-or-later
// Ends every binrot.exe that runs from one of the folders named on its command line, in any
// session and of any user, and waits until each has ended. A binrot.exe from anywhere else (a
// copy on a USB stick, a student's own build) keeps running. The installers run it before they
// replace or remove their folder's program, which a running binrot would hold.
// Exit code: 0 when none is left running, 1 when one could not be ended, 2 without a folder.
// Usage: close_binrot.exe folder [folder ...]
#include <windows.h>
// These two need windows.h before them.
#include <shellapi.h>
#include <tlhelp32.h>

// Plain Windows calls and buffers, no C++ library: the package keeps this program uncompressed.
namespace {

constexpr wchar_t programName[] = L"binrot.exe";
// Long enough for any path QueryFullProcessImageNameW gives.
constexpr DWORD pathLength = 32768;
wchar_t image[pathLength];
wchar_t folder[pathLength];
wchar_t program[pathLength];

bool sameName(const wchar_t* a, const wchar_t* b)
{
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

// The program in a folder named on the command line, its folder in full and long form with no
// backslash at its end: "C:\Program Files\binrot\." as the package writes it, or a short 8.3
// name, gives "C:\Program Files\binrot\binrot.exe". False where the name is too long.
bool programIn(const wchar_t* named)
{
    DWORD length = GetFullPathNameW(named, pathLength, folder, nullptr);
    if (length == 0 || length >= pathLength)
        return false;
    const DWORD longer = GetLongPathNameW(folder, program, pathLength);
    if (longer > 0 && longer < pathLength)
        length = static_cast<DWORD>(lstrlenW(lstrcpyW(folder, program)));
    while (length > 3 && folder[length - 1] == L'\\')
        folder[--length] = L'\0';
    if (length + 1 + lstrlenW(programName) >= pathLength)
        return false;
    lstrcpyW(program, folder);
    lstrcatW(program, L"\\");
    lstrcatW(program, programName);
    return true;
}

// An administrator, or SYSTEM as Group Policy installs, may end other users' programs only with
// this privilege switched on.
void enableDebugPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return;
    TOKEN_PRIVILEGES privileges {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

// Ends the process if its image is the program in one of the folders named; false if it is and
// stays running. A process whose image cannot be read (the system's own) is none of them.
bool closeIfOneOf(DWORD id, wchar_t** folders, int count)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process)
        return true;
    DWORD length = pathLength;
    const bool known = QueryFullProcessImageNameW(process, 0, image, &length);
    CloseHandle(process);
    bool ours = false;
    for (int index = 0; known && !ours && index < count; ++index)
        ours = programIn(folders[index]) && sameName(image, program);
    if (!ours)
        return true;
    process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process)
        return false;
    // One that ended on its own meanwhile cannot be terminated, yet is gone all the same.
    TerminateProcess(process, 1);
    const bool closed = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return closed;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 2)
        return 2;
    enableDebugPrivilege();
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 1;
    bool allClosed = true;
    PROCESSENTRY32W entry {};
    entry.dwSize = sizeof entry;
    BOOL more = Process32FirstW(snapshot, &entry);
    while (more) {
        if (sameName(entry.szExeFile, programName))
            allClosed = closeIfOneOf(entry.th32ProcessID, arguments + 1, count - 1) && allClosed;
        more = Process32NextW(snapshot, &entry);
    }
    CloseHandle(snapshot);
    LocalFree(arguments);
    return allClosed ? 0 : 1;
}
