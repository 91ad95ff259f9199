// The preview view: one or two pages shown, paging through the document,
// and the page description on the frame's message bar.
#include <gtest/gtest.h>

#include "frame_fixture.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/preview_view.h"
#include "platform/ui/print_info.h"

namespace {

TEST(PrintInfo, PageDescriptionUsesTheLineForOneOrTwoPages)
{
    CPrintInfo info;
    struct Case {
        const char* description;
        UINT page;
        UINT pages;
        const char* expected;
    };
    const Case cases[] = {
        {"Page %u\nPages %u-%u\n", 3, 1, "Page 3"},
        {"Page %u\nPages %u-%u\n", 3, 2, "Pages 3-4"},
        {"Seite %d\nSeiten %d bis %d", 7, 2, "Seiten 7 bis 8"},
        {"100%% of page %u\n", 2, 1, "100% of page 2"},
        // A description with other placeholders is shown as written.
        {"Page %s %u %n\n", 5, 1, "Page %s 5 %n"},
        {"Page %u %u %u\n", 5, 1, "Page 5 5 %u"},
        {"Page %u", 1, 2, ""},
    };
    for (const Case& c : cases) {
        info.m_strPageDesc = c.description;
        EXPECT_STREQ(info.FormatPageDescription(c.page, c.pages), c.expected) << c.description;
    }
}

struct PreviewFrame {
    PreviewFrame()
    {
        frame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CPreviewView);
        created = frame->Create(nullptr, "Preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 460, 360),
                                nullptr, nullptr, 0, &context);
        holder.Reset(created ? frame : nullptr);
        if (!created)
            return;
        bar = new MessageBar;
        bar->m_bAutoDelete = TRUE;
        created = bar->CreateIn(frame);
        view = static_cast<CPreviewView*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST));
        view->m_pPreviewInfo->SetMaxPage(5);
        frame->InitialUpdateFrame(nullptr, TRUE);
    }
    BOOL Enabled(UINT id)
    {
        struct Probe : CCmdUI {
            BOOL enabled = FALSE;
            void Enable(BOOL on) override { enabled = on; }
        } probe;
        probe.m_nID = id;
        frame->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
        return probe.enabled;
    }
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, id); }

    CFrameWnd* frame = nullptr;
    FrameHolder holder{nullptr};
    MessageBar* bar = nullptr;
    CPreviewView* view = nullptr;
    bool created = false;
};

TEST(PreviewView, StartsWithOnePageAndSwitchesToTwo)
{
    PreviewFrame f;
    ASSERT_TRUE(f.created);
    ASSERT_NE(f.view, nullptr);
    EXPECT_EQ(f.view->m_nPages, 1u);
    EXPECT_EQ(f.view->m_nCurrentPage, 1u);
    EXPECT_STREQ(f.bar->Text(), "Page 1");
    EXPECT_TRUE(f.Enabled(AFX_ID_PREVIEW_NUMPAGE));

    f.Command(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(f.view->m_nPages, 2u);
    EXPECT_EQ(f.view->m_pPreviewInfo->m_nNumPreviewPages, 2u);
    EXPECT_STREQ(f.bar->Text(), "Pages 1-2");
    f.Command(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(f.view->m_nPages, 1u);
    EXPECT_STREQ(f.bar->Text(), "Page 1");
}

TEST(PreviewView, PagesThroughTheDocumentWithinItsRange)
{
    PreviewFrame f;
    ASSERT_TRUE(f.created);
    EXPECT_FALSE(f.Enabled(AFX_ID_PREVIEW_PREV));
    EXPECT_TRUE(f.Enabled(AFX_ID_PREVIEW_NEXT));
    for (int i = 0; i < 10; ++i)
        f.Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(f.view->m_nCurrentPage, 5u);
    EXPECT_STREQ(f.bar->Text(), "Page 5");
    EXPECT_FALSE(f.Enabled(AFX_ID_PREVIEW_NEXT));
    // Two pages at the end show the last two.
    f.Command(AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(f.view->m_nCurrentPage, 4u);
    EXPECT_STREQ(f.bar->Text(), "Pages 4-5");
    f.Command(AFX_ID_PREVIEW_PREV);
    EXPECT_STREQ(f.bar->Text(), "Pages 3-4");
    EXPECT_TRUE(f.Enabled(AFX_ID_PREVIEW_PREV));
}

TEST(PreviewView, ADocumentOfOnePageCannotShowTwo)
{
    PreviewFrame f;
    ASSERT_TRUE(f.created);
    f.view->m_pPreviewInfo->SetMaxPage(1);
    EXPECT_FALSE(f.Enabled(AFX_ID_PREVIEW_NUMPAGE));
    EXPECT_FALSE(f.Enabled(AFX_ID_PREVIEW_NEXT));
}

}  // namespace
