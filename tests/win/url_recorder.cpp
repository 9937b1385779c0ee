// Stands in for the browser in the dialog tests: registered as the https handler, it
// writes the address it was asked to open (its second argument) and a line end into
// the file named by its first argument.
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == NULL)
        return 1;
    int result = 1;
    if (count == 3) {
        FILE* record = _wfopen(arguments[1], L"wb");
        if (record != NULL) {
            fprintf(record, "%ls\n", arguments[2]);
            fclose(record);
            result = 0;
        }
    }
    LocalFree(arguments);
    return result;
}
