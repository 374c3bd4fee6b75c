// The registry's file on this platform: the text a player reads and edits,
// changes made by hand seen at once, and two processes writing at the same
// time without losing each other's values.
#include <windows.h>

#include "registry_keys.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

std::string queried(HKEY key, const char* name)
{
    char text[128] = {};
    DWORD size = sizeof text;
    if (RegQueryValueExA(key, name, nullptr, nullptr, (BYTE*)text, &size) != ERROR_SUCCESS)
        return "<missing>";
    return text;
}

} // namespace

TEST_F(RegistryTest, TheFileIsTheRegistryEditorsText)
{
    HKEY key = created("Game");
    const char path[] = "C:\\Games\\\"Gold\"";
    const DWORD volume = 0x40;
    const BYTE keys[] = {0x1e, 0x00, 0xff};
    RegSetValueExA(key, "Path", 0, REG_SZ, (const BYTE*)path, sizeof path);
    RegSetValueExA(key, "Volume", 0, REG_DWORD, (const BYTE*)&volume, 4);
    RegSetValueExA(key, "Keys", 0, REG_BINARY, keys, sizeof keys);
    RegSetValueExA(key, "Unended", 0, REG_SZ, (const BYTE*)"ab", 2);
    RegSetValueExA(key, nullptr, 0, REG_EXPAND_SZ, (const BYTE*)"%X%", 4);
    const std::string text = windowsFolder.read("registry.reg");
    EXPECT_EQ(text.substr(0, 9), "REGEDIT4\n");
    EXPECT_NE(text.find("\n[HKEY_CURRENT_USER\\Software\\VantrelTest\\Game]\n"
                        "\"Path\"=\"C:\\\\Games\\\\\\\"Gold\\\"\"\n"
                        "\"Volume\"=dword:00000040\n"
                        "\"Keys\"=hex:1e,00,ff\n"
                        "\"Unended\"=hex(1):61,62\n"
                        "@=hex(2):25,58,25,00\n"),
              std::string::npos)
        << text;
    // Each value reads back byte for byte, the string without its zero too.
    DWORD size = 8;
    char bytes[8];
    ASSERT_EQ(RegQueryValueExA(key, "Unended", nullptr, nullptr, (BYTE*)bytes, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 2u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, AChangeMadeByHandIsReadAtOnce)
{
    HKEY key = created("Edited");
    RegSetValueExA(key, "Name", 0, REG_SZ, (const BYTE*)"Ann", 4);
    EXPECT_EQ(queried(key, "Name"), "Ann");
    std::string text = windowsFolder.read("registry.reg");
    text.replace(text.find("\"Ann\""), 5, "\"Bea\"");
    text += "; a player's note\n[HKEY_CURRENT_USER\\Software\\VantrelTest\\Edited]\r\n\"Level\" = \"7\"\r\n";
    windowsFolder.write("registry.reg", text);
    EXPECT_EQ(queried(key, "Name"), "Bea");
    EXPECT_EQ(queried(key, "level"), "7");

    // A line the registry cannot read is passed over, not fatal.
    windowsFolder.write("registry.reg", "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\VantrelTest\\Edited]\n"
                                        "\"Name\"=dword:zz\n\"Good\"=\"yes\"\n");
    EXPECT_EQ(queried(key, "Name"), "<missing>");
    EXPECT_EQ(queried(key, "Good"), "yes");
    RegCloseKey(key);
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing)
{
    HKEY key = created("Shared");
    RegCloseKey(key);
    constexpr int kValues = 40;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    const char* writer = child == 0 ? "Child" : "Parent";
    HKEY mine = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VantrelTest\\Shared", 0, KEY_ALL_ACCESS, &mine);
    for (int i = 0; i < kValues; ++i) {
        const std::string name = writer + std::to_string(i);
        const DWORD value = static_cast<DWORD>(i);
        RegSetValueExA(mine, name.c_str(), 0, REG_DWORD, (const BYTE*)&value, 4);
    }
    if (child == 0)
        _exit(0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    for (const char* name : {"Child", "Parent"})
        for (int i = 0; i < kValues; ++i) {
            DWORD value = 0, size = 4;
            EXPECT_EQ(RegQueryValueExA(mine, (name + std::to_string(i)).c_str(), nullptr, nullptr, (BYTE*)&value,
                                       &size),
                      ERROR_SUCCESS)
                << name << i;
            EXPECT_EQ(value, static_cast<DWORD>(i));
        }
    RegCloseKey(mine);
}

TEST_F(RegistryTest, KeysDeletedByAnotherHandleReadAsDeleted)
{
    HKEY key = created("Doomed");
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VantrelTest", 0, KEY_READ, nullptr),
              ERROR_INVALID_PARAMETER);
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantrelTest\\Doomed"), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_SZ, (const BYTE*)"", 1), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}
