// The host's catalogue where the family keeps it on Windows: the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/wide_text.h"
#include "platform/host_catalogue.h"
#include "support/generate.h"

namespace bw {
namespace {

void SetRegistryText(HKEY root, const std::wstring& key, const wchar_t* name,
                     const std::string& text) {
    const std::wstring value = WideText(text);
    ASSERT_EQ(RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

// On Windows the family's products, folders and libraries are registry keys:
// the folder machine-wide, the libraries the user's, a count as a number.
TEST(HostCatalogueRegistry, TheFamilysKeysAreRead) {
    const TempDir temp;
    const std::wstring product = L"Software\\Calderic\\Blockwright Catalogue Test";
    SetRegistryText(HKEY_LOCAL_MACHINE, product + L"\\Settings", L"Working Directory",
                    temp.path() + "product");
    const std::wstring libraries = product + L"\\Libraries";
    const DWORD count = 3;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, libraries.c_str(), L"Library Count", REG_DWORD,
                              &count, sizeof count),
              ERROR_SUCCESS);
    SetRegistryText(HKEY_CURRENT_USER, libraries, L"Lib1", "Test Library");
    SetRegistryText(HKEY_CURRENT_USER, libraries, L"LibFile1", "libs\\test.ini");
    SetRegistryText(HKEY_CURRENT_USER, libraries, L"Lib2", "TEST LIBRARY");
    SetRegistryText(HKEY_CURRENT_USER, libraries, L"Lib3", "Second");
    WriteFileBytes(temp.path() + "product/libs/test.ini",
                   "[Groups]\nGroup Count=1\nGroup1=Filters\n");

    const HostCatalogue catalogue = ReadHostCatalogue(FamilyFolders::FromEnvironment());
    RegDeleteTreeW(HKEY_CURRENT_USER, product.c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, product.c_str());
    EXPECT_EQ(catalogue.libraries, (std::vector<std::string>{"Test Library", "Second"}));
    EXPECT_EQ(catalogue.groups, (std::vector<std::string>{"Filters"}));
}

}  // namespace
}  // namespace bw
