// The interpreter record as the framework sees it: its run-time class and
// what its serialisation writes.
#include <gtest/gtest.h>

#include "command/macro_command.h"
#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"

namespace {

TEST(MacroCommandRecordTest, IsASerialisableClassOfSchemaOne)
{
    const CRuntimeClass* found = CRuntimeClass::FromName("CMacroCommand");
    ASSERT_EQ(RUNTIME_CLASS(CMacroCommand), found);
    EXPECT_EQ(1, found->GetStoredSchema());
    CMacroCommand command;
    EXPECT_TRUE(command.IsKindOf(RUNTIME_CLASS(CObject)));
}

TEST(MacroCommandRecordTest, SerialisationStoresOnlyTheSchemaNumber)
{
    CMacroCommand command;
    command.ParseLine("RunProgram(notepad.exe)");
    CMemFile file;
    {
        CArchive store(&file, CArchive::store);
        command.Serialize(store);
        store.Close();
    }
    ASSERT_EQ(4u, file.GetLength());
    file.SeekToBegin();
    BYTE bytes[4] = {};
    ASSERT_EQ(4u, file.Read(bytes, 4));
    EXPECT_EQ(1, bytes[0]);
    EXPECT_EQ(0, bytes[1] | bytes[2] | bytes[3]);

    file.SeekToBegin();
    CMacroCommand loaded;
    CArchive load(&file, CArchive::load);
    loaded.Serialize(load);
    EXPECT_STREQ("", loaded.GetFullLine()) << "the parsed line is not part of the record";
}

}  // namespace
