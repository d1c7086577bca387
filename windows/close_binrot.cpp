// SPDX-License-Identifier: GPL-3.0-or-later
// Ends every binrot.exe that runs from one of the folders named on its command line, in any
// session and of any user, and waits until each has ended. A binrot.exe from anywhere else (a
// copy on a USB stick, a student's own build) keeps running. The installers run it before they
// replace or remove their folder's program, which a running binrot would hold.
// Exit code: 0 when none is left running, 1 when one could not be ended, 2 without a folder.
// Usage: close_binrot.exe folder [folder ...]
#include <string>
#include <vector>
#include <windows.h>
// These two need windows.h before them.
#include <shellapi.h>
#include <tlhelp32.h>

namespace {

constexpr wchar_t programName[] = L"binrot.exe";

// The full, long form of a folder, with no backslash at its end: "C:\Program Files\binrot\." as
// the package writes it, or a short 8.3 name, becomes "C:\Program Files\binrot".
std::wstring canonicalFolder(const wchar_t* folder)
{
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(folder, static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return folder;
    full.resize(length);
    std::wstring longer(MAX_PATH, L'\0');
    length = GetLongPathNameW(full.c_str(), longer.data(), static_cast<DWORD>(longer.size()));
    if (length > 0 && length < longer.size())
        full.assign(longer.c_str(), length);
    while (full.size() > 3 && full.back() == L'\\')
        full.pop_back();
    return full;
}

bool sameName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
               static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
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

std::wstring imagePath(HANDLE process)
{
    std::wstring path(32768, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &length))
        return {};
    path.resize(length);
    return path;
}

// Ends the process if its image is one of the programs given; false if it is and stays running.
// A process whose image cannot be read (the system's own) is none of them.
bool closeIfOneOf(DWORD id, const std::vector<std::wstring>& programs)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process)
        return true;
    const std::wstring image = imagePath(process);
    CloseHandle(process);
    bool ours = false;
    for (const std::wstring& program : programs)
        ours = ours || sameName(image, program);
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
    std::vector<std::wstring> programs;
    for (int index = 1; index < count; ++index)
        programs.push_back(canonicalFolder(arguments[index]) + L'\\' + programName);
    LocalFree(arguments);

    enableDebugPrivilege();
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 1;
    bool allClosed = true;
    PROCESSENTRY32W entry {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        if (sameName(entry.szExeFile, programName))
            allClosed = closeIfOneOf(entry.th32ProcessID, programs) && allClosed;
    CloseHandle(snapshot);
    return allClosed ? 0 : 1;
}
