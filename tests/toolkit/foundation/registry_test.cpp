// The toolkit's registry access: keys, plain values, enumeration, the holder.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "registry_fixture.h"
#include "toolkit/foundation/registry.h"
#include "toolkit/foundation/registry_holder.h"

namespace {

// Whether a registry handle still refers to an open key.
bool HandleOpen(HKEY key)
{
    return ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// Runs a command line in the test's prefix and returns what it printed.
std::string CommandOutput(std::string command_line)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read_end = nullptr;
    HANDLE write_end = nullptr;
    if (!::CreatePipe(&read_end, &write_end, &inherit, 0))
        return "(no pipe)";
    ::SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
    PROCESS_INFORMATION process = {};
    const BOOL started = ::CreateProcessA(nullptr, &command_line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                          nullptr, nullptr, &startup, &process);
    ::CloseHandle(write_end);
    std::string output;
    if (started) {
        char buffer[1024];
        DWORD read = 0;
        while (::ReadFile(read_end, buffer, sizeof buffer, &read, nullptr) && read > 0)
            output.append(buffer, read);
        ::WaitForSingleObject(process.hProcess, 30000);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    } else {
        output = "(not started)";
    }
    ::CloseHandle(read_end);
    return output;
}

using WtkRegistryKeys = RegistryTest;
using WtkRegistryValues = RegistryTest;

TEST_F(WtkRegistryKeys, HolderCreatesOneObjectOnTheRootItsFirstFlagsName)
{
    struct Case {
        BOOL admin;
        BOOL read_only;
        HKEY root;
    };
    for (const Case& c : {Case{FALSE, FALSE, HKEY_CURRENT_USER}, Case{FALSE, TRUE, HKEY_CURRENT_USER},
                          Case{TRUE, TRUE, HKEY_LOCAL_MACHINE}}) {
        SCOPED_TRACE(c.admin * 2 + c.read_only);
        CWtkRegistrySP holder;
        CWtkRegistry& reg = holder.Create(c.admin, c.read_only);
        EXPECT_EQ(reg.GetKey(), c.root);
        EXPECT_EQ(reg.IsReadOnly(), c.read_only);
        // Later calls hand out the same object with its first flags.
        CWtkRegistry& again = holder.Create(!c.admin, !c.read_only);
        EXPECT_EQ(&again, &reg);
        EXPECT_EQ(again.GetKey(), c.root);
        EXPECT_EQ(again.IsReadOnly(), c.read_only);
    }
}

TEST_F(WtkRegistryKeys, HolderDestructionClosesTheOpenKey)
{
    HKEY opened = nullptr;
    {
        CWtkRegistrySP holder;
        CWtkRegistry& reg = holder.Create(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(Path().c_str()));
        opened = reg.GetKey();
        EXPECT_TRUE(HandleOpen(opened));
    }
    EXPECT_FALSE(HandleOpen(opened));
}

TEST_F(WtkRegistryKeys, OpenAndCreateKeyGoBelowTheCurrentKeyAndCloseTheOneTheyReplace)
{
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, FALSE);
    // A trailing backslash names the same key.
    ASSERT_TRUE(reg.Open((Path() + "\\").c_str()));
    EXPECT_STREQ(reg.GetPath(), (Path() + "\\").c_str());
    const HKEY first = reg.GetKey();

    ASSERT_TRUE(reg.CreateKey("Bars\\"));
    EXPECT_TRUE(KeyThere(Path("Bars")));
    EXPECT_FALSE(HandleOpen(first));
    const HKEY second = reg.GetKey();

    ASSERT_TRUE(reg.CreateKey("Bar-1"));
    EXPECT_TRUE(KeyThere(Path("Bars\\Bar-1")));
    EXPECT_FALSE(HandleOpen(second));
    const HKEY third = reg.GetKey();

    // A failed open keeps the current key, open.
    EXPECT_FALSE(reg.Open("Missing"));
    EXPECT_EQ(reg.GetLastResult(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.GetKey(), third);
    EXPECT_TRUE(HandleOpen(third));
    EXPECT_TRUE(reg.Write("Here", 1));
    EXPECT_TRUE(ReadRaw(Path("Bars\\Bar-1"), "Here").exists);

    reg.Close();
    EXPECT_EQ(reg.GetKey(), nullptr);
    EXPECT_FALSE(HandleOpen(third));
}

TEST_F(WtkRegistryKeys, KeyExistsLooksBelowTheCurrentKeyWithOrWithoutTrailingBackslash)
{
    ASSERT_EQ(CreateRaw(Path("Child")), ERROR_SUCCESS);
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, TRUE);
    EXPECT_TRUE(reg.KeyExists(Path("Child").c_str()));
    EXPECT_TRUE(reg.KeyExists((Path("Child") + "\\").c_str()));
    EXPECT_FALSE(reg.KeyExists(Path("Other").c_str()));
    // The check opens and closes: the current key stays the root.
    EXPECT_EQ(reg.GetKey(), HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Open(Path().c_str()));
    EXPECT_TRUE(reg.KeyExists("Child\\"));
}

TEST_F(WtkRegistryKeys, ReadOnlyObjectRefusesEveryChangeWithoutTouchingTheRegistry)
{
    WriteRaw("Kept", REG_DWORD, Le32(5));
    ASSERT_EQ(CreateRaw(Path("Child")), ERROR_SUCCESS);
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(Path().c_str()));
    const BYTE bytes[] = {1};
    CStringArray strings;
    EXPECT_FALSE(reg.CreateKey("New"));
    EXPECT_FALSE(reg.DeleteKey(Path("Child").c_str()));
    EXPECT_FALSE(reg.DeleteValue("Kept"));
    EXPECT_FALSE(reg.Write("A", 1));
    EXPECT_FALSE(reg.Write("B", DWORD{1}));
    EXPECT_FALSE(reg.Write("C", "text"));
    EXPECT_FALSE(reg.Write("D", bytes, 1));
    EXPECT_FALSE(reg.Write("E", strings));
    EXPECT_EQ(reg.GetLastResult(), ERROR_SUCCESS);
    EXPECT_FALSE(KeyThere(Path("New")));
    EXPECT_TRUE(KeyThere(Path("Child")));
    EXPECT_TRUE(ReadRaw("Kept").exists);
    CStringArray names;
    EXPECT_TRUE(reg.ReadValueNames(names));
    ASSERT_EQ(names.GetSize(), 1);
    EXPECT_STREQ(names[0], "Kept");
}

TEST_F(WtkRegistryKeys, DeleteKeyRemovesTheWholeTreeFromTheRootNotFromTheCurrentKey)
{
    for (const char* key : {"Tree\\A\\A1\\A11", "Tree\\A\\A2", "Tree\\B"})
        ASSERT_EQ(CreateRaw(Path(key)), ERROR_SUCCESS);
    ASSERT_EQ(CreateRaw(Path("Sibling")), ERROR_SUCCESS);
    ASSERT_EQ(::RegSetKeyValueA(HKEY_CURRENT_USER, Path("Tree\\A\\A2").c_str(), "V", REG_SZ, "x", 2),
              ERROR_SUCCESS);

    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.Open(Path("Sibling").c_str()));
    EXPECT_TRUE(reg.DeleteKey((Path("Tree") + "\\").c_str(), FALSE));
    EXPECT_FALSE(KeyThere(Path("Tree")));
    EXPECT_TRUE(KeyThere(Path("Sibling")));

    EXPECT_FALSE(reg.DeleteKey(Path("Tree").c_str()));
    EXPECT_EQ(reg.GetLastResult(), ERROR_FILE_NOT_FOUND);
}

TEST_F(WtkRegistryKeys, EnumerationsAppendNamesAndAreFalseWhenThereIsNone)
{
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.Open(Path().c_str()));
    CStringArray keys;
    CStringArray values;
    EXPECT_FALSE(reg.ReadSubKeyNames(keys));
    EXPECT_EQ(reg.GetLastResult(), ERROR_NO_MORE_ITEMS);
    EXPECT_FALSE(reg.ReadValueNames(values));
    EXPECT_EQ(keys.GetSize() + values.GetSize(), 0);

    for (const char* key : {"One", "Two", "Two\\Deeper"})
        ASSERT_EQ(CreateRaw(Path(key)), ERROR_SUCCESS);
    WriteRaw("First", REG_DWORD, Le32(1));
    WriteRaw("Second", REG_SZ, Text(std::string("x", 2)));
    keys.Add("earlier");
    EXPECT_TRUE(reg.ReadSubKeyNames(keys));
    EXPECT_TRUE(reg.ReadValueNames(values));
    ASSERT_EQ(keys.GetSize(), 3);
    EXPECT_STREQ(keys[0], "earlier");
    EXPECT_STREQ(keys[1], "One");
    EXPECT_STREQ(keys[2], "Two");
    ASSERT_EQ(values.GetSize(), 2);
    EXPECT_STREQ(values[0], "First");
    EXPECT_STREQ(values[1], "Second");
}

TEST_F(WtkRegistryKeys, SubKeyNamesAreFalseWhenTheFirstEnumerationFailsForAnyReason)
{
    ASSERT_EQ(CreateRaw(Path("Gone")), ERROR_SUCCESS);
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.Open(Path("Gone").c_str()));
    // The key is deleted under the open handle.
    ASSERT_EQ(::RegDeleteKeyA(HKEY_CURRENT_USER, Path("Gone").c_str()), ERROR_SUCCESS);
    CStringArray names;
    EXPECT_FALSE(reg.ReadSubKeyNames(names));
    EXPECT_NE(reg.GetLastResult(), ERROR_SUCCESS);
    EXPECT_NE(reg.GetLastResult(), ERROR_NO_MORE_ITEMS);

    // No key at all.
    reg.Close();
    EXPECT_FALSE(reg.ReadSubKeyNames(names));
    EXPECT_NE(reg.GetLastResult(), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(names.GetSize(), 0);
}

TEST_F(WtkRegistryValues, PlainValuesHaveTheirRegistryTypeAndBytes)
{
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(Path().c_str()));
    const BYTE raw[] = {0, 255, 7};
    ASSERT_TRUE(reg.Write("Dword", DWORD{0x01020304}));
    EXPECT_EQ(reg.GetLastType(), DWORD{REG_DWORD});
    EXPECT_EQ(reg.GetLastSize(), 4u);
    ASSERT_TRUE(reg.Write("Text", "Tarvex"));
    EXPECT_EQ(reg.GetLastType(), DWORD{REG_SZ});
    EXPECT_EQ(reg.GetLastSize(), 7u);
    ASSERT_TRUE(reg.Write("Raw", raw, sizeof raw));
    EXPECT_EQ(reg.GetLastType(), DWORD{REG_BINARY});
    EXPECT_EQ(reg.GetLastSize(), 3u);
    // The int form leaves the last type and size as they were.
    ASSERT_TRUE(reg.Write("Int", -2));
    EXPECT_EQ(reg.GetLastType(), DWORD{REG_BINARY});
    EXPECT_EQ(reg.GetLastSize(), 3u);
    ASSERT_TRUE(reg.Write("Empty", ""));

    struct Case {
        const char* name;
        DWORD type;
        Bytes bytes;
    };
    const Case cases[] = {{"Dword", REG_DWORD, Bytes{4, 3, 2, 1}},
                          {"Int", REG_DWORD, Le32(0xFFFFFFFE)},
                          {"Text", REG_SZ, Text(std::string("Tarvex", 7))},
                          {"Empty", REG_SZ, Bytes{0}},
                          {"Raw", REG_BINARY, Bytes{0, 255, 7}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RawValue value = ReadRaw(c.name);
        EXPECT_EQ(value.type, c.type);
        EXPECT_EQ(value.bytes, c.bytes);
    }
}

TEST_F(WtkRegistryValues, PlainValuesReadBack)
{
    CWtkRegistrySP holder;
    CWtkRegistry& writer = holder.Create(FALSE, FALSE);
    ASSERT_TRUE(writer.CreateKey(Path().c_str()));
    const BYTE raw[] = {9, 8, 7, 6, 5};
    ASSERT_TRUE(writer.Write("Dword", DWORD{0xCAFEF00D}));
    ASSERT_TRUE(writer.Write("Int", -7));
    ASSERT_TRUE(writer.Write("Text", "Quenfield"));
    ASSERT_TRUE(writer.Write("Raw", raw, sizeof raw));
    WriteRaw("Sized0", REG_SZ, Bytes{});

    CWtkRegistrySP reader_holder;
    CWtkRegistry& reg = reader_holder.Create(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(Path().c_str()));
    DWORD dword = 0;
    int number = 0;
    CString text;
    EXPECT_TRUE(reg.Read("Dword", dword));
    EXPECT_EQ(dword, 0xCAFEF00Du);
    EXPECT_TRUE(reg.Read("Int", number));
    EXPECT_EQ(number, -7);
    EXPECT_TRUE(reg.Read("Text", text));
    EXPECT_STREQ(text, "Quenfield");
    EXPECT_EQ(reg.GetLastType(), DWORD{REG_SZ});
    EXPECT_EQ(reg.GetLastSize(), 10u);

    BYTE* data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(reg.Read("Raw", &data, &size));
    std::unique_ptr<BYTE[]> owned(data);
    EXPECT_EQ(Bytes(data, data + size), Bytes(raw, raw + sizeof raw));

    EXPECT_TRUE(reg.ValueExists("Raw"));
    EXPECT_FALSE(reg.ValueExists("Missing"));

    // A value of size 0 is an empty string; a missing one empties it too.
    text = "old";
    EXPECT_TRUE(reg.Read("Sized0", text));
    EXPECT_STREQ(text, "");
    text = "old";
    EXPECT_FALSE(reg.Read("Missing", text));
    EXPECT_STREQ(text, "");

    // Missing numbers leave the variables alone; missing bytes give null.
    dword = 11;
    number = 12;
    EXPECT_FALSE(reg.Read("Missing", dword));
    EXPECT_FALSE(reg.Read("Missing", number));
    EXPECT_EQ(dword, 11u);
    EXPECT_EQ(number, 12);
    data = reinterpret_cast<BYTE*>(&number);
    size = 5;
    EXPECT_FALSE(reg.Read("Missing", &data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
}

TEST_F(WtkRegistryValues, NumbersReadAnyValueOfUpToFourBytesZeroExtended)
{
    struct Case {
        const char* name;
        DWORD type;
        Bytes bytes;
        bool read;
        DWORD expected;  // also what is left when the read fails
    };
    const Case cases[] = {
        {"Binary2", REG_BINARY, Bytes{0xAA, 0xBB}, true, 0x0000BBAA},
        {"Binary1", REG_BINARY, Bytes{0x80}, true, 0x00000080},
        {"Binary0", REG_BINARY, Bytes{}, true, 0},
        {"Binary4", REG_BINARY, Bytes{1, 2, 3, 4}, true, 0x04030201},
        {"String1", REG_SZ, Bytes{'a', 0}, true, 0x00000061},
        {"Binary5", REG_BINARY, Bytes{1, 2, 3, 4, 5}, false, 0xFFFFFFFF},
        {"Missing", REG_NONE, Bytes{}, false, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        if (c.type != REG_NONE)
            WriteRaw(c.name, c.type, c.bytes);
    }
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(Path().c_str()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD dword = 0xFFFFFFFF;
        int number = -1;
        EXPECT_EQ(reg.Read(c.name, dword), c.read);
        EXPECT_EQ(dword, c.expected);
        EXPECT_EQ(reg.Read(c.name, number), c.read);
        EXPECT_EQ(static_cast<DWORD>(number), c.expected);
        if (c.read) {
            EXPECT_EQ(reg.GetLastType(), c.type);
            EXPECT_EQ(reg.GetLastSize(), c.bytes.size());
        }
    }
    DWORD dword = 0;
    reg.Read("Binary5", dword);
    EXPECT_EQ(reg.GetLastResult(), ERROR_MORE_DATA);
}

TEST_F(WtkRegistryValues, DeleteValueRemovesOneValue)
{
    WriteRaw("Gone", REG_DWORD, Le32(1));
    WriteRaw("Stays", REG_DWORD, Le32(2));
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.Open(Path().c_str()));
    EXPECT_TRUE(reg.DeleteValue("Gone"));
    EXPECT_FALSE(reg.DeleteValue("Gone"));
    EXPECT_EQ(reg.GetLastResult(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(ReadRaw("Gone").exists);
    EXPECT_TRUE(ReadRaw("Stays").exists);
}

TEST_F(WtkRegistryValues, WrittenValuesAreWhatTheSystemsRegToolLists)
{
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(Path().c_str()));
    ASSERT_TRUE(reg.Write("Name", "Tarvex Administrator"));
    ASSERT_TRUE(reg.Write("Count", 42));
    const std::string output = CommandOutput("reg.exe query \"HKCU\\" + Path() + "\"");
    EXPECT_NE(output.find("Name    REG_SZ    Tarvex Administrator"), std::string::npos) << output;
    EXPECT_NE(output.find("Count    REG_DWORD    0x2a"), std::string::npos) << output;
}

}  // namespace
