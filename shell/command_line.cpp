#include "shell/command_line.h"

#include <shellapi.h>
#include <string.h>

SaverCommand ParseSaverCommandText(const wchar_t* commandLine)
{
    wchar_t argument1[kTextCapacity];
    wchar_t argument2[kTextCapacity];
    memset(argument1, 0, sizeof(argument1));
    memset(argument2, 0, sizeof(argument2));

    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
    if (arguments != NULL) {
        // Arguments longer than the buffers are cut; arguments 3 and later are not read.
        if (count > 1)
            CopyTextBounded(argument1, COUNTOF(argument1), arguments[1]);
        if (count > 2)
            CopyTextBounded(argument2, COUNTOF(argument2), arguments[2]);
        LocalFree(arguments);
    }

    SaverCommand command;
    command.mode = SaverModeFromArgument(argument1);
    command.host = NULL;
    if (command.mode != SaverMode::FullScreen) {
        int32_t number = ParseHostNumber(HostNumberText(command.mode, argument1, argument2));
        HWND host = reinterpret_cast<HWND>(static_cast<INT_PTR>(number));
        if (number == 0 || !IsWindow(host))
            host = GetDesktopWindow();
        command.host = host;
    }
    return command;
}

SaverCommand ParseSaverCommandLine()
{
    return ParseSaverCommandText(GetCommandLineW());
}
