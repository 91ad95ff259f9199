#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/edit.h"

namespace {

TEST(Edit, SelectionLinesLimitsAndUndoGoThroughTheControl)
{
    ControlHost host;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, Box(0, 0, 200, 100), &host, 5));
    edit.SetWindowText("first line\r\nsecond");
    EXPECT_EQ(edit.GetLineCount(), 2);
    char line[32] = "";
    const int length = edit.GetLine(1, line, sizeof(line));
    EXPECT_EQ(std::string(line, length), "second");
    EXPECT_EQ(edit.LineIndex(1), 12);
    EXPECT_EQ(edit.LineLength(12), 6);
    EXPECT_EQ(edit.LineFromChar(13), 1);

    edit.SetSel(0, 5);
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(0, 5)));
    edit.SetModify(FALSE);
    edit.ReplaceSel("FIRST", TRUE);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "FIRST line\r\nsecond");
    EXPECT_TRUE(edit.GetModify());
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "first line\r\nsecond");

    edit.SetLimitText(3);
    EXPECT_EQ(edit.GetLimitText(), 3u);
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);

    // Password characters are for single-line edits.
    CEdit secret;
    ASSERT_TRUE(secret.Create(WS_CHILD | ES_PASSWORD, Box(0, 110, 200, 20), &host, 6));
    secret.SetPasswordChar('#');
    EXPECT_EQ(secret.GetPasswordChar(), '#');
}

}  // namespace
