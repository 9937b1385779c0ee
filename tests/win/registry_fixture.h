// A test fixture that owns the program's registry keys in the test prefix: it removes
// both at the start and at the end of each test, so every test sets up its own.
#ifndef HORLOMA_TEST_REGISTRY_FIXTURE_H
#define HORLOMA_TEST_REGISTRY_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "settings/settings_store.h"

class RegistryKeysTest : public testing::Test {
protected:
    void SetUp() override { RemoveKeys(); }
    void TearDown() override { RemoveKeys(); }

    static void RemoveKeys()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
    }

    static bool KeyExists(HKEY hive)
    {
        HKEY key;
        if (RegOpenKeyExW(hive, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    // Stores raw bytes of any type under the program's key in `hive`.
    static void PutValue(HKEY hive, const wchar_t* name, DWORD type,
                         const std::vector<BYTE>& data)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(hive, kSettingsKeyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                  &key, NULL),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, data.empty() ? NULL : data.data(),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // A text as REG_SZ data, with its terminator unless asked not to.
    static std::vector<BYTE> TextBytes(const std::wstring& text, bool terminated = true)
    {
        size_t units = text.size() + (terminated ? 1 : 0);
        std::vector<BYTE> data(units * sizeof(wchar_t));
        if (!data.empty())
            memcpy(data.data(), text.c_str(), data.size());
        return data;
    }

    static void PutText(HKEY hive, const wchar_t* name, const std::wstring& text)
    {
        PutValue(hive, name, REG_SZ, TextBytes(text));
    }

    // The value's type and bytes as stored; false when it does not exist.
    static bool GetValue(HKEY hive, const wchar_t* name, DWORD* type, std::vector<BYTE>* data)
    {
        HKEY key;
        if (RegOpenKeyExW(hive, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        DWORD size = 0;
        LONG result = RegQueryValueExW(key, name, NULL, type, NULL, &size);
        if (result == ERROR_SUCCESS) {
            data->resize(size);
            result = RegQueryValueExW(key, name, NULL, type, data->data(), &size);
        }
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }
};

#endif
