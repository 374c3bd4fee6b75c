// The registry as a game uses it for its settings: keys made and opened,
// values of the three kinds set, read back, listed and deleted, with the
// results and error codes Windows gives, misuse included.
#include <windows.h>

#include "registry_keys.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

TEST_F(RegistryTest, SettingsWrittenAreReadBackThroughAnotherHandle)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VantrelTest\\Game\\1.0", 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    const char path[] = "C:\\Games\\Game \"Gold\"";
    const DWORD volume = 0x40;
    const BYTE keys[] = {0x1e, 0x00, 0xff};
    EXPECT_EQ(RegSetValueExA(key, "InstallPath", 0, REG_SZ, (const BYTE*)path, sizeof path), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "Volume", 0, REG_DWORD, (const BYTE*)&volume, sizeof volume), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "Keys", 0, REG_BINARY, keys, sizeof keys), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, (const BYTE*)"default", 8), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    HKEY again = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\vantreltest\\game\\1.0", 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    char text[64];
    DWORD type = 0, size = sizeof text;
    ASSERT_EQ(RegQueryValueExA(again, "installpath", nullptr, &type, (BYTE*)text, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, sizeof path); // the zero counted
    EXPECT_STREQ(text, path);
    DWORD number = 0;
    size = sizeof number;
    ASSERT_EQ(RegQueryValueExA(again, "Volume", nullptr, &type, (BYTE*)&number, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number, volume);
    BYTE bytes[8] = {};
    size = sizeof bytes;
    ASSERT_EQ(RegQueryValueEx(again, "Keys", nullptr, &type, bytes, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(size, sizeof keys);
    EXPECT_EQ(std::memcmp(bytes, keys, sizeof keys), 0);
    size = sizeof text;
    ASSERT_EQ(RegQueryValueExA(again, "", nullptr, nullptr, (BYTE*)text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "default");

    // A value set again keeps its place and takes the new type.
    RegCloseKey(again);
    HKEY writable = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\VantrelTest\\Game\\1.0", 0, KEY_WRITE | KEY_READ, &writable),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(writable, "VOLUME", 0, REG_SZ, (const BYTE*)"loud", 5), ERROR_SUCCESS);
    size = sizeof text;
    ASSERT_EQ(RegQueryValueExA(writable, "Volume", nullptr, &type, (BYTE*)text, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, "loud");
    RegCloseKey(writable);
}

TEST_F(RegistryTest, ShortBuffersAreToldTheSizeTheyNeed)
{
    HKEY key = created("Sizes");
    ASSERT_NE(key, nullptr);
    const char name[] = "Player One";
    ASSERT_EQ(RegSetValueExA(key, "Name", 0, REG_SZ, (const BYTE*)name, sizeof name), ERROR_SUCCESS);

    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof name);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    char little[4];
    size = sizeof little;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, (BYTE*)little, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof name);
    // A buffer without its size is refused.
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, (BYTE*)little, nullptr), ERROR_INVALID_PARAMETER);

    char valueName[3];
    DWORD nameSize = sizeof valueName;
    EXPECT_EQ(RegEnumValueA(key, 0, valueName, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    HKEY child = created("Sizes\\LongerName");
    RegCloseKey(child);
    char keyName[4];
    DWORD keySize = sizeof keyName;
    EXPECT_EQ(RegEnumKeyExA(key, 0, keyName, &keySize, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ListingGivesEveryKeyAndValueThenNoMoreItems)
{
    HKEY key = created("List");
    for (const char* name : {"Beta", "alpha", "Gamma"}) {
        HKEY child = nullptr;
        ASSERT_EQ(RegCreateKeyA(key, name, &child), ERROR_SUCCESS);
        RegCloseKey(child);
    }
    const DWORD one = 1;
    for (const char* name : {"Second", "First"})
        ASSERT_EQ(RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE*)&one, 4), ERROR_SUCCESS);

    // Subkeys come in the order of their names, whatever their case.
    std::string keys;
    char name[32];
    DWORD index = 0;
    for (;; ++index) {
        DWORD size = sizeof name;
        FILETIME written;
        const LONG result = RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, &written);
        if (result != ERROR_SUCCESS) {
            EXPECT_EQ(result, ERROR_NO_MORE_ITEMS);
            break;
        }
        EXPECT_EQ(size, std::strlen(name));
        keys += std::string(name) + ",";
    }
    EXPECT_EQ(keys, "alpha,Beta,Gamma,");
    EXPECT_EQ(RegEnumKeyA(key, 3, name, sizeof name), ERROR_NO_MORE_ITEMS);

    std::set<std::string> values;
    for (index = 0;; ++index) {
        DWORD size = sizeof name, type = 0, data = 0, dataSize = sizeof data;
        const LONG result = RegEnumValueA(key, index, name, &size, nullptr, &type, (BYTE*)&data, &dataSize);
        if (result != ERROR_SUCCESS) {
            EXPECT_EQ(result, ERROR_NO_MORE_ITEMS);
            break;
        }
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(data, 1u);
        values.insert(name);
    }
    EXPECT_EQ(values, (std::set<std::string>{"First", "Second"}));
    RegCloseKey(key);
}

TEST_F(RegistryTest, WhatIsMissingIsNotFound)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VantrelTest\\Nowhere", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    key = created("Here");
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Absent", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, "Absent"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(key, "Absent"), ERROR_FILE_NOT_FOUND);

    const DWORD one = 1;
    ASSERT_EQ(RegSetValueExA(key, "Once", 0, REG_DWORD, (const BYTE*)&one, 4), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "once"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "Once", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, AKeyWithKeysUnderItIsNotDeleted)
{
    HKEY leaf = created("Tree\\Branch\\Leaf");
    RegCloseKey(leaf);
    HKEY tree = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\VantrelTest\\Tree", &tree), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(tree, "Branch"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(tree, "Branch\\Leaf"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(tree, "Branch"), ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyExA(tree, "Branch", 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    RegCloseKey(tree);
}

TEST_F(RegistryTest, HandlesAreCheckedAsWindowsChecksThem)
{
    HKEY key = created("Handles");
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_SZ, (const BYTE*)"", 1), ERROR_INVALID_HANDLE);
    // The roots are always open; closing one does nothing.
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    HKEY out = nullptr;

    // A key opened to read cannot be written.
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VantrelTest\\Handles", 0, KEY_READ, &out), ERROR_SUCCESS);
    const DWORD one = 1;
    EXPECT_EQ(RegSetValueExA(out, "Locked", 0, REG_DWORD, (const BYTE*)&one, 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(out, "Locked"), ERROR_ACCESS_DENIED);
    RegCloseKey(out);
}
