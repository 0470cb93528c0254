#include "foundation/RegistryKey.h"

#include "tests/support/DebugOutputCapture.h"
#include "tests/support/Sandbox.h"

#include <windows.h>

#include <aclapi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct RawValue {
    LONG status = 0;
    DWORD type = 0;
    std::string bytes;
};

// A value's bytes as the platform stores them, independent of the code under test.
RawValue readBack(HKEY root, const std::string& path, const char* name)
{
    RawValue value;
    HKEY key = nullptr;
    value.status = RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (value.status != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    value.status = RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
    value.bytes.resize(size);
    if (value.status == ERROR_SUCCESS && size > 0)
        value.status = RegQueryValueExA(key, name, nullptr, &value.type,
                                        reinterpret_cast<BYTE*>(&value.bytes[0]), &size);
    value.bytes.resize(size);
    RegCloseKey(key);
    return value;
}

bool keyExists(const std::string& path)
{
    HKEY probe = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &probe) != ERROR_SUCCESS)
        return false;
    RegCloseKey(probe);
    return true;
}

void createKey(const std::string& path)
{
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                              nullptr), ERROR_SUCCESS) << path;
    RegCloseKey(created);
}

// Denies listing a key's sub-keys, so that it can be neither emptied nor deleted.
bool setEnumerationDenied(const std::string& path, bool denied)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    char everyone[] = "EVERYONE";
    EXPLICIT_ACCESS_A rules[2] = {};
    for (EXPLICIT_ACCESS_A& rule : rules) {
        rule.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
        rule.Trustee.ptstrName = everyone;
    }
    rules[0].grfAccessPermissions = KEY_ENUMERATE_SUB_KEYS;
    rules[0].grfAccessMode = DENY_ACCESS;
    rules[1].grfAccessPermissions = KEY_ALL_ACCESS;
    rules[1].grfAccessMode = GRANT_ACCESS;
    PACL acl = nullptr;
    if (denied)
        SetEntriesInAclA(2, rules, nullptr, &acl);
    DWORD result = SetSecurityInfo(key, SE_REGISTRY_KEY,
                                   DACL_SECURITY_INFORMATION | (denied ? PROTECTED_DACL_SECURITY_INFORMATION : 0),
                                   nullptr, nullptr, acl, nullptr);
    LocalFree(acl);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Each test stands on its own fresh key under HKEY_CURRENT_USER.
class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[80];
        std::snprintf(name, sizeof name, "Software\\T5Tests\\key-%lu-%lu", GetCurrentProcessId(), GetTickCount());
        scratch = name;
        createKey(scratch);
        ASSERT_TRUE(key.open(scratch.c_str(), false));
    }
    void TearDown() override
    {
        setEnumerationDenied(scratch + "\\locked", false);
        RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\T5Tests");
    }
    RawValue raw(const char* name) const { return readBack(HKEY_CURRENT_USER, scratch, name); }
    std::string path(const std::string& child) const { return scratch + "\\" + child; }
    std::string readTraced(const char* name, Lines& trace) const
    {
        testsupport::DebugOutputCapture capture;
        String text = key.readString(name, "default");
        trace = capture.writes();
        return text.cStr();
    }

    std::string scratch;
    RegistryKey key{HKEY_CURRENT_USER};
};

using RegistryKeyNavigation = RegistryKeyTest;

TEST_F(RegistryKeyNavigation, FailedRootFallsBackToCurrentUser)
{
    RegistryKey fallback(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x800000F0)));
    ASSERT_TRUE(fallback.open(scratch.c_str(), false));
    EXPECT_TRUE(fallback.writeDword("fromFallback", 7));
    EXPECT_EQ(raw("fromFallback").bytes.size(), 4u);
}

TEST_F(RegistryKeyNavigation, FailedOpenStaysOnTheOldKey)
{
    key.writeDword("here", 42);
    EXPECT_FALSE(key.open("missing", false));
    EXPECT_FALSE(keyExists(path("missing")));
    EXPECT_EQ(key.readDword("here", 0), 42u);
}

TEST_F(RegistryKeyNavigation, CreateMakesEveryLevelAndMovesThere)
{
    ASSERT_TRUE(key.open("a\\b\\c", true));
    EXPECT_TRUE(key.writeString("deep", "yes"));
    EXPECT_EQ(readBack(HKEY_CURRENT_USER, path("a\\b\\c"), "deep").bytes, std::string("yes", 4));
}

TEST_F(RegistryKeyNavigation, ExistsDoesNotMove)
{
    createKey(path("child"));
    key.writeDword("here", 5);
    EXPECT_TRUE(key.exists("child"));
    EXPECT_FALSE(key.exists("missing"));
    EXPECT_EQ(key.readDword("here", 0), 5u);
}

TEST_F(RegistryKeyNavigation, ReopenAndResetReturnToARoot)
{
    EXPECT_FALSE(key.reopen(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x800000F0))));
    EXPECT_TRUE(key.writeDword("stillHere", 1));
    EXPECT_EQ(raw("stillHere").status, ERROR_SUCCESS);
    ASSERT_TRUE(key.reopen(HKEY_CURRENT_USER));
    EXPECT_TRUE(key.exists(scratch.c_str()));
    ASSERT_TRUE(key.open(scratch.c_str(), false));
    EXPECT_TRUE(key.resetToUserRoot());
    EXPECT_TRUE(key.exists(scratch.c_str()));
}

TEST_F(RegistryKeyNavigation, LocalMachineRootIsOpenedWithoutAccessRights)
{
    T5_REQUIRE_SANDBOX();
    RegistryKey machine(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.open("Software\\T5Tests\\machine", true));
    EXPECT_TRUE(machine.writeDword("v", 3));
    EXPECT_EQ(readBack(HKEY_LOCAL_MACHINE, "Software\\T5Tests\\machine", "v").bytes.size(), 4u);
    EXPECT_TRUE(machine.reopen(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(machine.deleteTree("Software\\T5Tests"), ERROR_SUCCESS);
    EXPECT_FALSE(machine.exists("Software\\T5Tests"));
}

using RegistryKeyReadString = RegistryKeyTest;

TEST_F(RegistryKeyReadString, ShortTextIsReadInOneCall)
{
    for (const char* text : {"", "short", "sixteen-chars-xx"}) {
        key.writeString("v", text);
        Lines trace;
        EXPECT_EQ(readTraced("v", trace), raw("v").bytes.c_str());
        EXPECT_EQ(trace, Lines({"OK IHNED\n"})) << text;
    }
}

TEST_F(RegistryKeyReadString, LongerValuesAreReadWhole)
{
    const std::string megabytes(3 << 20, 'm');
    for (const std::string& text : {std::string("seventeen-chars-x"), megabytes}) {
        key.writeString("v", text.c_str());
        Lines trace;
        std::string read = readTraced("v", trace);
        EXPECT_EQ(read.size(), raw("v").bytes.size() - 1);
        EXPECT_EQ(read, raw("v").bytes.c_str());
        EXPECT_EQ(trace, Lines({"ERROR MORE DATA\n", "ALE UZ OK\n"}));
    }
}

TEST_F(RegistryKeyReadString, DataWithoutTerminatorEndsWhereTheValueEnds)
{
    const DWORD number = 0x44434241;
    key.writeRaw("dword", &number, sizeof number, REG_DWORD);
    key.writeRaw("five", "ABCDE", 5, REG_BINARY);
    key.writeRaw("sixteen", "0123456789abcdef", 16, REG_BINARY);
    key.writeRaw("seventeen", "0123456789abcdefg", 17, REG_BINARY);
    key.writeRaw("unterminated", "0123456789abcdefg", 17, REG_SZ);
    for (const char* name : {"dword", "five", "sixteen", "seventeen", "unterminated"}) {
        Lines trace;
        EXPECT_EQ(readTraced(name, trace), raw(name).bytes.c_str()) << name;
    }
}

TEST_F(RegistryKeyReadString, MissingValueGivesTheDefaultSilently)
{
    Lines trace;
    EXPECT_EQ(readTraced("absent", trace), "default");
    EXPECT_TRUE(trace.empty());
}

using RegistryKeyValues = RegistryKeyTest;

TEST_F(RegistryKeyValues, DwordOnlyFromDwordValues)
{
    EXPECT_TRUE(key.writeDword("n", 0xCAFE));
    RawValue written = raw("n");
    EXPECT_EQ(written.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(key.readDword("n", 1), *reinterpret_cast<const DWORD*>(written.bytes.data()));
    key.writeString("text", "abc");
    key.writeString("longText", "more than four bytes");
    EXPECT_EQ(key.readDword("text", 99), 99u);
    EXPECT_EQ(key.readDword("longText", 99), 99u);
    EXPECT_EQ(key.readDword("absent", 98), 98u);
}

TEST_F(RegistryKeyValues, WriteStringStoresTheTerminator)
{
    EXPECT_TRUE(key.writeString("s", "text"));
    RawValue written = raw("s");
    EXPECT_EQ(written.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(written.bytes, std::string("text", 5));
}

TEST_F(RegistryKeyValues, RawValuesAndPresence)
{
    EXPECT_FALSE(key.hasValue("blob"));
    EXPECT_TRUE(key.writeRaw("blob", "\x01\x02\x00\x03", 4, REG_BINARY));
    EXPECT_TRUE(key.hasValue("blob"));
    char buffer[8] = {};
    DWORD type = 0;
    EXPECT_EQ(key.readRaw("blob", buffer, sizeof buffer, &type), raw("blob").bytes.size());
    EXPECT_EQ(std::string(buffer, 4), raw("blob").bytes);
    EXPECT_EQ(type, raw("blob").type);
    EXPECT_EQ(key.readRaw("blob", buffer, 2, &type), 0u);
    EXPECT_EQ(key.readRaw("absent", buffer, sizeof buffer, nullptr), 0u);
}

TEST_F(RegistryKeyValues, NamesWithHighBytes)
{
    const char* name = "K\xC4\xD6\xDC\xE9 \xF8";
    ASSERT_TRUE(key.open(name, true));
    EXPECT_TRUE(key.writeString(name, "\xE4\xF6"));
    EXPECT_EQ(readBack(HKEY_CURRENT_USER, path(name), name).bytes, std::string("\xE4\xF6", 3));
    EXPECT_EQ(key.readString(name, ""), "\xE4\xF6");
}

using RegistryKeyDeleteTree = RegistryKeyTest;

TEST_F(RegistryKeyDeleteTree, RemovesNestedKeysAndStaysOnItsKey)
{
    std::string deep = "tree";
    for (int level = 0; level < 20; ++level)
        deep += "\\level" + std::to_string(level);
    createKey(path(deep));
    createKey(path("tree\\side\\leaf"));
    EXPECT_EQ(key.deleteTree("tree"), ERROR_SUCCESS);
    EXPECT_FALSE(keyExists(path("tree")));
    EXPECT_TRUE(key.writeDword("after", 1));
    EXPECT_EQ(raw("after").status, ERROR_SUCCESS);
}

TEST_F(RegistryKeyDeleteTree, RemovesTenThousandSubKeys)
{
    createKey(path("wide"));
    HKEY wide = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, path("wide").c_str(), 0, KEY_ALL_ACCESS, &wide);
    for (int i = 0; i < 10000; ++i) {
        HKEY child = nullptr;
        RegCreateKeyExA(wide, ("k" + std::to_string(i)).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &child, nullptr);
        RegCloseKey(child);
    }
    DWORD count = 0;
    RegQueryInfoKeyA(wide, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(wide);
    ASSERT_EQ(count, 10000u);
    EXPECT_EQ(key.deleteTree("wide"), ERROR_SUCCESS);
    EXPECT_FALSE(keyExists(path("wide")));
}

TEST_F(RegistryKeyDeleteTree, MissingKeyReportsTheFailure)
{
    createKey(path("other"));
    EXPECT_NE(key.deleteTree("missing"), ERROR_SUCCESS);
    EXPECT_TRUE(keyExists(path("other")));
}

TEST_F(RegistryKeyDeleteTree, RefusesToNameItsOwnKey)
{
    createKey(path("child\\grandchild"));
    for (const char* subPath : {"", "\\", "\\\\\\"}) {
        EXPECT_NE(key.deleteTree(subPath), ERROR_SUCCESS) << '"' << subPath << '"';
        EXPECT_TRUE(keyExists(path("child\\grandchild")));
    }
}

TEST_F(RegistryKeyDeleteTree, RefusedSubKeyStaysAndTheRestGoes)
{
    for (const char* child : {"tree\\a\\x", "tree\\locked\\inner", "tree\\z"})
        createKey(path(child));
    ASSERT_TRUE(setEnumerationDenied(path("tree\\locked"), true));
    EXPECT_NE(key.deleteTree("tree"), ERROR_SUCCESS);
    EXPECT_FALSE(keyExists(path("tree\\a")));
    EXPECT_FALSE(keyExists(path("tree\\z")));
    EXPECT_TRUE(keyExists(path("tree\\locked")));
}

} // namespace
