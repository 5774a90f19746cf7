// bin\dalvimoctl.exe: the one program in the folder the installer puts on
// the user's PATH. It runs the real dalvimoctl.exe from the folder above,
// where that one finds its Qt and compiler libraries, so that none of them
// lands on every other program's search path. Linked statically: the
// folder holds no DLL, and this program loads none but the system's.
//
// The arguments go over as the command line holds them (not re-quoted), in
// the same console with the same standard handles; the exit status is the
// real program's. Ctrl+C reaches both, as they share the console; this one
// only waits for the other to end.
#include <windows.h>

namespace {

// The command line after the program's own name, by the rule Windows
// itself uses for argv[0]: up to the closing quote, or to the first blank.
const wchar_t *argumentsOf(const wchar_t *line)
{
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"')
            ++line;
        if (*line == L'"')
            ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    return line; // with its leading blank, if any
}

BOOL WINAPI waitForChild(DWORD) { return TRUE; }

void inherit(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE)
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
}

void say(const wchar_t *text)
{
    DWORD written = 0;
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (!WriteConsoleW(err, text, DWORD(lstrlenW(text)), &written, nullptr)) {
        char bytes[1024];
        const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
        if (n > 1)
            WriteFile(err, bytes, DWORD(n - 1), &written, nullptr);
    }
}

} // namespace

int main()
{
    // Its own path, then the folder above bin.
    wchar_t program[MAX_PATH + 32];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        say(L"dalvimoctl: не найти свою папку\r\n");
        return 1;
    }
    for (int separators = 0, i = int(length) - 1; i >= 0; --i) {
        if (program[i] == L'\\' && ++separators == 2) {
            program[i + 1] = 0;
            break;
        }
    }
    lstrcatW(program, L"dalvimoctl.exe");

    const wchar_t *arguments = argumentsOf(GetCommandLineW());
    const int size = lstrlenW(program) + lstrlenW(arguments) + 3;
    auto *line = static_cast<wchar_t *>(HeapAlloc(GetProcessHeap(), 0, size * sizeof(wchar_t)));
    if (!line)
        return 1;
    lstrcpyW(line, L"\"");
    lstrcatW(line, program);
    lstrcatW(line, L"\"");
    lstrcatW(line, arguments);

    inherit(STD_INPUT_HANDLE);
    inherit(STD_OUTPUT_HANDLE);
    inherit(STD_ERROR_HANDLE);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    // Before the child exists, so that an early Ctrl+C cannot end this one
    // alone (a handler, unlike ignoring, is not inherited).
    SetConsoleCtrlHandler(waitForChild, TRUE);
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(program, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
        say(L"dalvimoctl: не запустить ");
        say(program);
        say(L"\r\n");
        return 1;
    }
    CloseHandle(child.hThread);
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(child.hProcess, &status);
    return int(status);
}
