#include "saver_process.h"

std::wstring SaverProgramPath()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder + L"horloma.scr";
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

static BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM parameter)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[64];
    GetClassNameA(window, className, sizeof(className));
    if (processId == search->processId && IsWindowVisible(window) &&
        strcmp(className, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct TextSearch {
    std::string text;
    HWND okButton;
};

static BOOL CALLBACK ReadBoxChild(HWND child, LPARAM parameter)
{
    TextSearch* search = reinterpret_cast<TextSearch*>(parameter);
    char className[64];
    char text[1024];
    GetClassNameA(child, className, sizeof(className));
    GetWindowTextA(child, text, sizeof(text));
    if (_stricmp(className, "Static") == 0 && text[0] != 0 && search->text.empty())
        search->text = text;
    if (_stricmp(className, "Button") == 0 && GetDlgCtrlID(child) == IDOK)
        search->okButton = child;
    return TRUE;
}

bool StartProgramProcess(const std::wstring& program, const std::wstring& arguments,
                         PROCESS_INFORMATION* process)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    return CreateProcessW(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL,
                          &startup, process) != FALSE;
}

bool StartSaverProcess(const std::wstring& arguments, PROCESS_INFORMATION* process)
{
    return StartProgramProcess(SaverProgramPath(), arguments, process);
}

SaverRun RunSaverProcess(const std::wstring& arguments, DWORD timeoutMilliseconds)
{
    return RunProgramProcess(SaverProgramPath(), arguments, timeoutMilliseconds);
}

SaverRun RunProgramProcess(const std::wstring& program, const std::wstring& arguments,
                           DWORD timeoutMilliseconds)
{
    SaverRun run = {false, false, 0, false, "", ""};
    PROCESS_INFORMATION process;
    if (!StartProgramProcess(program, arguments, &process))
        return run;
    run.started = true;

    const DWORD step = 50;
    for (DWORD waited = 0; waited < timeoutMilliseconds; waited += step) {
        if (WaitForSingleObject(process.hProcess, step) == WAIT_OBJECT_0) {
            run.finished = true;
            break;
        }
        if (run.boxShown)
            continue;
        WindowSearch search = {process.dwProcessId, "#32770", NULL};
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found == NULL)
            continue;
        TextSearch texts = {"", NULL};
        EnumChildWindows(search.found, ReadBoxChild, reinterpret_cast<LPARAM>(&texts));
        if (texts.text.empty())
            continue;  // still being filled in
        char caption[256];
        GetWindowTextA(search.found, caption, sizeof(caption));
        run.boxShown = true;
        run.boxCaption = caption;
        run.boxText = texts.text;
        PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(texts.okButton));
    }
    if (!run.finished)
        TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 5000);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

// Waits up to the given time for the process to end, handling this thread's messages
// meanwhile; true when it has ended.
static bool WaitHandlingMessages(HANDLE process, DWORD milliseconds)
{
    DWORD result = MsgWaitForMultipleObjects(1, &process, FALSE, milliseconds, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return result == WAIT_OBJECT_0;
}


HWND WaitForProcessWindow(const PROCESS_INFORMATION& process, HWND parent,
                          const char* className, DWORD timeoutMilliseconds)
{
    const DWORD step = 50;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMilliseconds) {
        WindowSearch search = {process.dwProcessId, className, NULL};
        if (parent == NULL)
            EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        else
            EnumChildWindows(parent, FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found != NULL)
            return search.found;
        if (WaitHandlingMessages(process.hProcess, step))
            return NULL;
    }
    return NULL;
}

bool FinishSaverProcess(PROCESS_INFORMATION* process, DWORD* exitCode,
                        DWORD timeoutMilliseconds)
{
    const DWORD step = 50;
    DWORD start = GetTickCount();
    bool finished = false;
    while (!finished && GetTickCount() - start < timeoutMilliseconds)
        finished = WaitHandlingMessages(process->hProcess, step);
    if (!finished)
        TerminateProcess(process->hProcess, 99);
    WaitForSingleObject(process->hProcess, 5000);
    GetExitCodeProcess(process->hProcess, exitCode);
    CloseHandle(process->hThread);
    CloseHandle(process->hProcess);
    return finished;
}
