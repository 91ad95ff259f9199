// The framework's own resources, which every GUI program includes.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/app.h"
#include "platform/ui/framework_ids.h"

namespace {

std::string LoadText(UINT id)
{
    char text[256] = "";
    ::LoadStringA(AfxGetResourceHandle(), id, text, sizeof(text));
    return text;
}

TEST(FrameworkResources, SplitCursorsAndThePromptsAreThere)
{
    HINSTANCE instance = AfxFindResourceHandle(MAKEINTRESOURCEA(AFX_IDC_VSPLITBAR), RT_GROUP_CURSOR);
    HCURSOR sideways = ::LoadCursorA(instance, MAKEINTRESOURCEA(AFX_IDC_VSPLITBAR));
    HCURSOR upDown = ::LoadCursorA(instance, MAKEINTRESOURCEA(AFX_IDC_HSPLITBAR));
    ASSERT_NE(sideways, nullptr);
    ASSERT_NE(upDown, nullptr);
    EXPECT_NE(sideways, upDown);
    for (HCURSOR cursor : {sideways, upDown}) {
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, 15u);
        EXPECT_EQ(info.yHotspot, 15u);
        if (info.hbmMask)
            ::DeleteObject(info.hbmMask);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
    }
    struct Case {
        UINT id;
        const char* text;
    };
    const Case cases[] = {{AFX_IDS_IDLEMESSAGE, "Ready"},
                          {AFX_IDS_SCFIRST + ((SC_CLOSE - 0xF000) >> 4), "Close the active window"},
                          {AFX_IDP_PARSE_INT, "Please enter an integer."},
                          {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
                          {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(LoadText(c.id), c.text);
    }
    // The numbers that peers rely on.
    EXPECT_EQ(WM_SETMESSAGESTRING, 0x0362);
    EXPECT_EQ(WM_POPMESSAGESTRING, 0x0375);
    EXPECT_EQ(WM_FLOATSTATUS, 0x036D);
    EXPECT_EQ(AFX_IDS_IDLEMESSAGE, 57345);
    EXPECT_EQ(LM_HORZ | LM_MRUWIDTH | LM_COMMIT, 0x46);
}

}  // namespace
