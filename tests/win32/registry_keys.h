// The tests' corner of the registry: HKEY_CURRENT_USER\Software\VantrelTest,
// removed with everything under it when the fixture ends, so that a run
// under Wine leaves the prefix's registry as it found it.  On this
// platform the registry file is kept beside a scratch Windows folder.
#ifndef VANTREL_TESTS_WIN32_REGISTRY_KEYS_H
#define VANTREL_TESTS_WIN32_REGISTRY_KEYS_H

#include <windows.h>

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <string>

// Deletes `name` under `parent` and every key below it, as a game's
// uninstaller does (RegDeleteKey refuses a key with subkeys).
inline void deleteKeyTree(HKEY parent, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char child[256];
    while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS)
        deleteKeyTree(key, child);
    RegCloseKey(key);
    RegDeleteKeyA(parent, name);
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetEnvironmentVariableA("VANTREL_WINDOWS_DIR", windowsFolder.host("windir").c_str());
        deleteKeyTree(HKEY_CURRENT_USER, "Software\\VantrelTest");
    }
    void TearDown() override
    {
        deleteKeyTree(HKEY_CURRENT_USER, "Software\\VantrelTest");
        SetEnvironmentVariableA("VANTREL_WINDOWS_DIR", nullptr);
    }

    // A new key under the tests' corner, opened with every right.
    HKEY created(const char* path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (std::string("Software\\VantrelTest\\") + path).c_str(), 0,
                                  nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }

    ScratchFolder windowsFolder;
};

#endif
