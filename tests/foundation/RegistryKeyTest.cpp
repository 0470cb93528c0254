#include "foundation/RegistryKey.h"

#include "tests/support/DebugOutputCapture.h"
#include "tests/support/Sandbox.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
const HKEY missingRoot = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x800000F0));

// A value's type and bytes as the platform stores them, read without the code under test.
struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
    LONG status = 0;
};

RawValue readBack(HKEY root, const std::string& path, const char* name)
{
    RawValue value;
    DWORD size = 0;
    HKEY key = nullptr;
    if ((value.status = RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key)) != ERROR_SUCCESS)
        return value;
    value.status = RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
    value.bytes.resize(size + 1);
    if (value.status == ERROR_SUCCESS)
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value.bytes[0]), &size);
    value.bytes.resize(size);
    RegCloseKey(key);
    return value;
}

bool keyExists(const std::string& path)
{
    HKEY probe = nullptr;
    bool opened = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &probe) == ERROR_SUCCESS;
    RegCloseKey(probe);
    return opened;
}

void createKey(const std::string& path)
{
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);
}

bool setKeySecurity(const std::string& path, const char* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    HKEY key = nullptr;
    bool done = ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr) &&
                RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS &&
                RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    RegCloseKey(key);
    LocalFree(descriptor);
    return done;
}
// Everyone may do anything except list the key's sub-keys: it can be neither emptied nor deleted.
const char* const enumerationDenied = "D:P(D;;0x8;;;WD)(A;;KA;;;WD)";
const char* const everythingAllowed = "D:(A;;KA;;;WD)";

// Each test stands on its own fresh key under HKEY_CURRENT_USER.
class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scratch = "Software\\T5Tests\\key-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount());
        createKey(scratch);
        ASSERT_TRUE(key.open(scratch.c_str(), false));
    }
    void TearDown() override
    {
        setKeySecurity(path("tree\\locked"), everythingAllowed);
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

TEST_F(RegistryKeyNavigation, FailedRootsFallBackOrLeaveTheKeyWhereItWas)
{
    RegistryKey fallback(missingRoot);
    EXPECT_TRUE(fallback.open(scratch.c_str(), false));
    EXPECT_FALSE(key.reopen(missingRoot));
    EXPECT_FALSE(key.open("missing", false));
    EXPECT_FALSE(keyExists(path("missing")));
    EXPECT_TRUE(key.writeDword("here", 42));
    EXPECT_EQ(raw("here").status, ERROR_SUCCESS);
    EXPECT_TRUE(key.resetToUserRoot());
    EXPECT_TRUE(key.exists(scratch.c_str()));
    EXPECT_TRUE(key.reopen(HKEY_CURRENT_USER));
    EXPECT_TRUE(key.exists(scratch.c_str()));
}

TEST_F(RegistryKeyNavigation, CreateMakesEveryLevelAndExistsDoesNotMove)
{
    ASSERT_TRUE(key.open("a\\b\\c", true));
    EXPECT_TRUE(key.writeString("deep", "yes"));
    EXPECT_EQ(readBack(HKEY_CURRENT_USER, path("a\\b\\c"), "deep").bytes, std::string("yes", 4));
    EXPECT_FALSE(key.exists("missing"));
    createKey(path("a\\b\\c\\d"));
    EXPECT_TRUE(key.exists("d"));
    EXPECT_EQ(key.readString("deep", ""), "yes");
}

TEST_F(RegistryKeyNavigation, LocalMachineKeysInTheSandbox)
{
    T5_REQUIRE_SANDBOX();
    const std::string own = "Software\\T5RegistryKeyTest-" + std::to_string(GetCurrentProcessId());
    RegistryKey machine(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.open((own + "\\machine").c_str(), true));
    EXPECT_TRUE(machine.writeDword("v", 3));
    EXPECT_EQ(readBack(HKEY_LOCAL_MACHINE, own + "\\machine", "v").bytes.size(), 4u);
    EXPECT_TRUE(machine.reopen(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(machine.deleteTree(own.c_str()), ERROR_SUCCESS);
    EXPECT_FALSE(machine.exists(own.c_str()));
}

using RegistryKeyReadString = RegistryKeyTest;

// Up to 16 characters the first call suffices; anything longer takes a second call that reads it whole.
TEST_F(RegistryKeyReadString, TracesItsCallsAndReadsTheWholeValueTerminatedOrNot)
{
    const Lines once = {"OK IHNED\n"}, twice = {"ERROR MORE DATA\n", "ALE UZ OK\n"};
    const std::pair<std::string, Lines> cases[] = {{"", once}, {"short", once}, {"sixteen-chars-xx", once},
        {"seventeen-chars-x", twice}, {std::string(3 << 20, 'm'), twice}};
    for (const auto& entry : cases) {
        key.writeString("v", entry.first.c_str());
        Lines trace;
        std::string read = readTraced("v", trace);
        EXPECT_EQ(read.size() + 1, raw("v").bytes.size());
        EXPECT_EQ(read, raw("v").bytes.c_str());
        EXPECT_EQ(trace, entry.second) << entry.first.size();
    }
    Lines trace;
    EXPECT_EQ(readTraced("absent", trace), "default");
    EXPECT_TRUE(trace.empty());

    // Data without a terminator ends where the value ends.
    const DWORD number = 0x44434241;
    key.writeRaw("dword", &number, sizeof number, REG_DWORD);
    key.writeRaw("five", "ABCDE", 5, REG_BINARY);
    key.writeRaw("sixteen", "0123456789abcdef", 16, REG_BINARY);
    key.writeRaw("seventeen", "0123456789abcdefg", 17, REG_BINARY);
    key.writeRaw("unterminated", "0123456789abcdefg", 17, REG_SZ);
    for (const char* name : {"dword", "five", "sixteen", "seventeen", "unterminated"})
        EXPECT_EQ(readTraced(name, trace), raw(name).bytes.c_str()) << name;
}

using RegistryKeyValues = RegistryKeyTest;

TEST_F(RegistryKeyValues, TypesPresenceAndTextWithItsTerminator)
{
    EXPECT_TRUE(key.writeDword("n", 0xCAFE));
    EXPECT_TRUE(key.writeString("text", "abc"));
    EXPECT_TRUE(key.writeString("longText", "more than four bytes"));
    EXPECT_EQ(key.readDword("n", 1), *reinterpret_cast<const DWORD*>(raw("n").bytes.data()));
    EXPECT_EQ(raw("text").bytes, std::string("abc", 4));
    for (const char* notDword : {"text", "longText", "absent"})
        EXPECT_EQ(key.readDword(notDword, 99), 99u) << notDword;
    EXPECT_FALSE(key.hasValue("absent"));
    EXPECT_TRUE(key.hasValue("text"));
    char buffer[8] = {};
    DWORD type = 0;
    EXPECT_EQ(key.readRaw("n", buffer, sizeof buffer, &type), raw("n").bytes.size());
    EXPECT_EQ(type, raw("n").type);
    EXPECT_EQ(key.readRaw("longText", buffer, sizeof buffer, &type), 0u);

    // Only string values count as text; an expandable one comes expanded, as the
    // system's own expansion of the same bytes gives it. (A string stored without its
    // terminator cannot be made here: Wine's RegSetValueEx adds one.)
    const DWORD number = 0x005C3A43;
    key.writeRaw("sz", "C:\\a", 5, REG_SZ);
    key.writeRaw("expand", "%SystemRoot%\\x", 15, REG_EXPAND_SZ);
    key.writeRaw("dword", &number, sizeof number, REG_DWORD);
    key.writeRaw("binary", "C:\\a", 5, REG_BINARY);
    char expanded[MAX_PATH] = {};
    ExpandEnvironmentStringsA(raw("expand").bytes.c_str(), expanded, MAX_PATH);
    String text = "untouched";
    EXPECT_TRUE(key.readText("sz", text));
    EXPECT_EQ(text, raw("sz").bytes.c_str());
    EXPECT_TRUE(key.readText("expand", text));
    EXPECT_EQ(text, expanded);
    EXPECT_NE(text, raw("expand").bytes.c_str());
    text = "untouched";
    for (const char* other : {"dword", "binary", "absent"})
        EXPECT_FALSE(key.readText(other, text)) << other;
    EXPECT_EQ(text, "untouched");
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

TEST_F(RegistryKeyDeleteTree, RemovesNestedKeysStaysOnItsKeyAndNeverNamesItself)
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
    createKey(path("other\\inner"));
    for (const char* subPath : {"missing", "", "\\", "\\\\\\"}) {
        EXPECT_NE(key.deleteTree(subPath), ERROR_SUCCESS) << '"' << subPath << '"';
        EXPECT_TRUE(keyExists(path("other\\inner")));
    }
}

TEST_F(RegistryKeyDeleteTree, RemovesTenThousandSubKeys)
{
    for (int i = 0; i < 10000; ++i)
        createKey(path("wide\\k" + std::to_string(i)));
    ASSERT_TRUE(keyExists(path("wide\\k0")) && keyExists(path("wide\\k9999")));
    EXPECT_EQ(key.deleteTree("wide"), ERROR_SUCCESS);
    EXPECT_FALSE(keyExists(path("wide")));
}

TEST_F(RegistryKeyDeleteTree, RefusedSubKeyStaysAndTheRestGoes)
{
    for (const char* child : {"tree\\a\\x", "tree\\locked\\inner", "tree\\z"})
        createKey(path(child));
    ASSERT_TRUE(setKeySecurity(path("tree\\locked"), enumerationDenied));
    EXPECT_NE(key.deleteTree("tree"), ERROR_SUCCESS);
    EXPECT_FALSE(keyExists(path("tree\\a")));
    EXPECT_FALSE(keyExists(path("tree\\z")));
    EXPECT_TRUE(keyExists(path("tree\\locked")));
}

} // namespace
