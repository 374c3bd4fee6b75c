// A page that keeps a count in a settings file: it reads the count, writes
// it back one higher and says both on the console.  Opened twice in the same
// browser profile, the second visit reads what the first wrote.
#include <vantrel.h>
#include <vantrel/win32/profile.h>

#include <cstdio>

int main()
{
    const UINT visits = GetPrivateProfileIntA("page", "visits", 0, "vantrel_settings_page.ini");
    char text[16];
    std::snprintf(text, sizeof text, "%u", visits + 1);
    const BOOL written = WritePrivateProfileStringA("page", "visits", text, "vantrel_settings_page.ini");
    std::printf("settings: read %u, wrote %s (%s)\n", visits, text, written ? "done" : "failed");
    return 0;
}
