#include <vantrel/seam/process_launch.h>

#include <windows.h>

#include <shellapi.h>

#include <string>

bool vtl::startDetached(const char* program, const char* argument)
{
    if (!program)
        return false;
    std::string commandLine = std::string("\"") + program + "\"";
    if (argument)
        commandLine += std::string(" \"") + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool vtl::openWebAddress(const char* address)
{
    // ShellExecute's result is greater than 32 on success.
    return address &&
           reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}
