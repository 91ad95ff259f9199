// The dock bar and its rows: docking order and row depths, rows following
// the visibility of their bars, moving a bar along its row, into a new row
// and across rows, rows shrinking and growing back with the dock bar's
// length, and row swaps for bars that want a row of their own.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "control_bar_support.h"
#include "toolkit/controls/tool_bar.h"
#include "dib_canvas.h"
#include "toolkit/foundation/dock_bar_row.h"
#include "toolkit/foundation/visual_manager_winxp.h"
#include "../../platform/ui/screenshot.h"

namespace {

using namespace controlbar_test;

// A dock bar along one side of the frame that does its own dragging.
class PlainDockBar : public CWtkDockBar {
public:
    BOOL Make(CWnd* pFrame, DWORD dwAlignment, const CRect& rect)
    {
        return CreateEx(0, AfxRegisterWndClass(0), "dock", WS_CHILD | WS_VISIBLE | dwAlignment, rect, pFrame,
                        0xE81B);
    }
};

// A control bar of a fixed size, whatever it is asked.
class FixedBar : public TestBar {
public:
    explicit FixedBar(CSize size) : fixed(size) {}
    CSize CalcFixedLayout(BOOL, BOOL) override { return fixed; }
    CSize fixed;
};

// A top dock bar 400 pixels long on a hidden frame, with bars of the given
// sizes docked into it.
class WtkDockBar : public BaseBarTest {
protected:
    void SetUp() override
    {
        BaseBarTest::SetUp();
        frame = NewFrame<CountingFrame>();
        ASSERT_NE(frame, nullptr);
        holder = std::make_unique<FrameHolder>(frame);
        ASSERT_TRUE(dock.Make(frame, CBRS_ALIGN_TOP, CRect(0, 0, 400, 0)));
    }

    FixedBar& NewBar(CSize size, UINT nID)
    {
        bars.push_back(std::make_unique<FixedBar>(size));
        FixedBar& bar = *bars.back();
        EXPECT_TRUE(bar.Make(frame, nID, WS_CHILD | WS_VISIBLE, WTK_CBRS_FLOAT, CRect(0, 0, size.cx, size.cy)));
        bar.EnableDocking(CBRS_ALIGN_ANY);
        return bar;
    }

    // Docks the bar by a rectangle given in the dock bar's client
    // coordinates.
    void DockAt(FixedBar& bar, CPoint at)
    {
        CRect rect(at, bar.fixed);
        dock.ClientToScreen(&rect);
        ASSERT_TRUE(bar.DockControlBar(&dock, &rect, 4));
    }

    // One step of a live drag as the bar's own mouse handling makes it: the
    // remembered place and the drag rectangle follow the mouse, then the
    // dock bar is asked to move the bar.
    BOOL Drag(FixedBar& bar, int dx, int dy)
    {
        CRect place = bar.GetFullRect();
        place.OffsetRect(dx, dy);
        bar.SetFullRect(place);
        CRect drag = place;
        dock.ClientToScreen(&drag);
        bar.SetDragRect(drag);
        return dock.MoveControlBar(&bar, dx, dy);
    }

    int Depth() const
    {
        CRect window;
        dock.GetWindowRect(&window);
        return window.Height();
    }

    std::vector<int> RowDepths() const
    {
        std::vector<int> depths;
        for (POSITION pos = dock.GetDockBarRowList().GetHeadPosition(); pos;) {
            auto* row = static_cast<CWtkDockBarRow*>(dock.GetDockBarRowList().GetNext(pos));
            depths.push_back(row->GetRowHeight());
        }
        return depths;
    }

    std::vector<int> RowOffsets() const
    {
        std::vector<int> offsets;
        for (POSITION pos = dock.GetDockBarRowList().GetHeadPosition(); pos;) {
            auto* row = static_cast<CWtkDockBarRow*>(dock.GetDockBarRowList().GetNext(pos));
            offsets.push_back(row->GetRowOffset());
        }
        return offsets;
    }

    static std::vector<CWtkBaseControlBar*> BarsOf(const CWtkDockBarRow* row)
    {
        std::vector<CWtkBaseControlBar*> list;
        for (POSITION pos = row->GetControlBarList().GetHeadPosition(); pos;)
            list.push_back(static_cast<CWtkBaseControlBar*>(row->GetControlBarList().GetNext(pos)));
        return list;
    }

    // Bars' window rectangles in the dock bar, as (left, right) along it.
    static std::vector<std::pair<int, int>> Spans(std::initializer_list<FixedBar*> list)
    {
        std::vector<std::pair<int, int>> spans;
        for (FixedBar* bar : list) {
            const CRect rect = RectInParent(*bar);
            spans.push_back({rect.left, rect.right});
        }
        return spans;
    }

    // Changes the dock bar's length as the frame's layout would.
    void SetLength(int length) { dock.OnSizeParent(CRect(0, 0, length, Depth())); }

    CountingFrame* frame = nullptr;
    std::unique_ptr<FrameHolder> holder;
    PlainDockBar dock;
    std::vector<std::unique_ptr<FixedBar>> bars;
};

TEST_F(WtkDockBar, CreationCollapsesTheBarOntoItsSideWithTheSidesId)
{
    CRect client;
    frame->GetClientRect(&client);
    struct Case {
        DWORD side;
        UINT id;
        CRect place;
    };
    const Case cases[] = {
        {CBRS_ALIGN_TOP, 59419, CRect(0, 0, client.right, 0)},
        {CBRS_ALIGN_LEFT, 59420, CRect(0, 0, 0, client.bottom)},
        {CBRS_ALIGN_RIGHT, 59421, CRect(client.right, 0, client.right, client.bottom)},
        {CBRS_ALIGN_BOTTOM, 59422, CRect(0, client.bottom, client.right, client.bottom)},
    };
    for (const Case& c : cases) {
        CWtkDockBar side;
        ASSERT_TRUE(side.Create(WS_VISIBLE | c.side, CRect(5, 5, 50, 50), frame));
        EXPECT_EQ(ClassNameOf(side.m_hWnd), ToolkitClassName("WtkDockBar"));
        EXPECT_EQ(static_cast<UINT>(side.GetDlgCtrlID()), c.id);
        EXPECT_EQ(side.GetDockBarID(), c.id);
        EXPECT_EQ(side.GetCurrentAlignment(), c.side);
        EXPECT_EQ(RectInParent(side), c.place);
        EXPECT_EQ(side.GetStyle() & (WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
                  static_cast<DWORD>(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
        EXPECT_EQ(side.GetDockSite(), frame);
        side.DestroyWindow();
    }
}

TEST_F(WtkDockBar, DockingStacksRowsAndTheDepthIsTheirSum)
{
    EXPECT_EQ(Depth(), 0);
    EXPECT_TRUE(dock.GetDockBarRowList().IsEmpty());

    // Each case docks one more bar at a point of the dock bar.
    struct Case {
        CSize size;
        CPoint at;
        std::vector<int> depths;
        std::vector<int> offsets;
    };
    const Case cases[] = {
        {CSize(100, 24), CPoint(0, 0), {24}, {0}},          // first bar: a row of its thickness
        {CSize(80, 24), CPoint(150, 5), {24}, {0}},         // inside that row: joins it
        {CSize(60, 30), CPoint(0, 40), {24, 30}, {0, 24}},  // below every row: a new last row
        {CSize(60, 20), CPoint(200, 30), {24, 30}, {0, 24}},// in the second row, thinner: joins
    };
    UINT id = 100;
    for (const Case& c : cases) {
        FixedBar& bar = NewBar(c.size, id++);
        DockAt(bar, c.at);
        EXPECT_EQ(RowDepths(), c.depths) << "bar " << id - 1;
        EXPECT_EQ(RowOffsets(), c.offsets) << "bar " << id - 1;
        int sum = 0;
        for (int d : c.depths)
            sum += d;
        EXPECT_EQ(Depth(), sum);
        EXPECT_EQ(bar.GetDockBarRow(), dock.FindRowByBar(&bar));
        EXPECT_EQ(bar.GetFullRect(), RectInParent(bar));
    }
    // The bar list keeps docking order; each row its order along the row.
    ASSERT_EQ(dock.GetControlBarList().GetCount(), 4);
    EXPECT_EQ(dock.GetControlBarList().GetHead(), bars[0].get());
    EXPECT_EQ(dock.GetControlBarList().GetTail(), bars[3].get());
    EXPECT_EQ(BarsOf(bars[0]->GetDockBarRow()), (std::vector<CWtkBaseControlBar*>{bars[0].get(), bars[1].get()}));
    EXPECT_EQ(Spans({bars[0].get(), bars[1].get()}), (std::vector<std::pair<int, int>>{{0, 100}, {150, 230}}));
    EXPECT_EQ(dock.GetRowIndex(bars[2]->GetDockBarRow()), 1);

    // A bar of the second row sits inside it across the dock bar.
    EXPECT_EQ(RectInParent(*bars[2]).top, 24);
}

TEST_F(WtkDockBar, ARowFollowsTheVisibilityOfItsBarsAndTheDepthFollowsTheRows)
{
    FixedBar& top = NewBar(CSize(100, 24), 100);
    FixedBar& lower = NewBar(CSize(100, 30), 101);
    DockAt(top, CPoint(0, 0));
    DockAt(lower, CPoint(0, 40));
    ASSERT_EQ(Depth(), 54);

    struct Step {
        FixedBar* bar;
        BOOL show;
        int depth;
        int lowerOffset;
    };
    const Step steps[] = {
        {&top, FALSE, 30, 0},    // the first row goes: the second moves up
        {&lower, FALSE, 0, 0},   // nothing shown: no depth
        {&top, TRUE, 24, 24},    // the first row comes back and the second stays below it
        {&lower, TRUE, 54, 24},
    };
    for (const Step& s : steps) {
        EXPECT_TRUE(dock.ShowControlBar(s.bar, s.show, FALSE));
        EXPECT_EQ(s.bar->GetDockBarRow()->IsVisible(), s.show);
        EXPECT_EQ(Depth(), s.depth);
        EXPECT_EQ(lower.GetDockBarRow()->GetRowOffset(), s.lowerOffset);
    }
    EXPECT_EQ(RectInParent(lower).top, 24);

    // A bar the dock bar does not hold is refused.
    FixedBar& stranger = NewBar(CSize(50, 20), 102);
    EXPECT_FALSE(dock.ShowControlBar(&stranger, FALSE, FALSE));
}

TEST_F(WtkDockBar, ABarMovesAlongItsRowPushingAndPassingItsNeighbours)
{
    FixedBar& a = NewBar(CSize(100, 24), 100);
    FixedBar& b = NewBar(CSize(100, 24), 101);
    DockAt(a, CPoint(0, 0));
    DockAt(b, CPoint(150, 0));
    CWtkDockBarRow* row = a.GetDockBarRow();
    ASSERT_EQ(row, b.GetDockBarRow());

    struct Step {
        FixedBar* bar;
        int dx;
        std::vector<std::pair<int, int>> spans;  // a, b
        FixedBar* first;
    };
    const Step steps[] = {
        {&a, 30, {{30, 130}, {150, 250}}, &a},    // free room: only a moves
        {&a, 40, {{70, 170}, {170, 270}}, &a},    // pushes b by the overlap
        {&a, 200, {{200, 300}, {300, 400}}, &a},  // b can go no further than the end
        {&a, -150, {{50, 150}, {300, 400}}, &a},  // back again, b stays
        {&b, -210, {{150, 250}, {50, 150}}, &b},  // b passes a's middle: they change places
    };
    for (const Step& s : steps) {
        EXPECT_FALSE(Drag(*s.bar, s.dx, 0));
        EXPECT_EQ(Spans({&a, &b}), s.spans) << "move by " << s.dx;
        EXPECT_EQ(row->GetControlBarList().GetHead(), s.first);
        EXPECT_EQ(a.GetDockBarRow(), row);
        EXPECT_EQ(b.GetDockBarRow(), row);
    }
}

TEST_F(WtkDockBar, ADragAcrossTheRowBeyondTwoThirdsOfTheBarChangesItsRow)
{
    FixedBar& a = NewBar(CSize(100, 24), 100);
    FixedBar& b = NewBar(CSize(100, 24), 101);
    DockAt(a, CPoint(0, 0));
    DockAt(b, CPoint(150, 0));
    CWtkDockBarRow* first = a.GetDockBarRow();

    // 2 * 24 / 3 = 16: 16 pixels down keeps the row.
    EXPECT_FALSE(Drag(b, 0, 16));
    EXPECT_EQ(b.GetDockBarRow(), first);
    EXPECT_EQ(dock.GetDockBarRowList().GetCount(), 1);

    // 17 pixels down gives b a row of its own after the first one.
    EXPECT_FALSE(Drag(b, 0, 17));
    CWtkDockBarRow* second = b.GetDockBarRow();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(RowDepths(), (std::vector<int>{24, 24}));
    EXPECT_EQ(dock.GetRowIndex(second), 1);
    EXPECT_EQ(Depth(), 48);
    EXPECT_EQ(RectInParent(b).top, 24);
    EXPECT_EQ(RectInParent(b).left, 150);

    // Alone in its row, b dragged up into the first row joins it, and its
    // own row goes.
    b.UpdateFullRect();
    EXPECT_FALSE(Drag(b, 0, -20));
    EXPECT_EQ(b.GetDockBarRow(), first);
    EXPECT_EQ(dock.GetDockBarRowList().GetCount(), 1);
    EXPECT_EQ(Depth(), 24);
    EXPECT_EQ(RectInParent(b).top, 0);

    // Dragged up by more than two thirds while sharing its row: a new row
    // before it.
    b.UpdateFullRect();
    EXPECT_FALSE(Drag(b, 0, -17));
    EXPECT_EQ(dock.GetRowIndex(b.GetDockBarRow()), 0);
    EXPECT_EQ(dock.GetRowIndex(a.GetDockBarRow()), 1);
    EXPECT_EQ(RectInParent(b).top, 0);
    EXPECT_EQ(RectInParent(a).top, 24);
}

// The mouse's steps add up, each counted once: 12 pixels in two steps keep
// the row, 18 pixels in three steps (more than 2 x 24 / 3) change it.
TEST_F(WtkDockBar, ALiveMouseDragChangesTheRowAfterTwoThirdsOfTheBarInSmallSteps)
{
    FixedBar& a = NewBar(CSize(100, 24), 100);
    FixedBar& b = NewBar(CSize(100, 24), 101);
    DockAt(a, CPoint(0, 0));
    DockAt(b, CPoint(150, 0));
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    b.SetOwnDockMode(1);
    CWtkDockBarRow* first = a.GetDockBarRow();
    const CPoint start = CentreOf(b);
    ASSERT_TRUE(::SetCursorPos(start.x, start.y));
    CPoint client(start);
    b.ScreenToClient(&client);
    b.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    ASSERT_TRUE(b.IsDragging());

    for (int y : {6, 12}) {
        ASSERT_TRUE(::SetCursorPos(start.x, start.y + y));
        b.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
        EXPECT_EQ(b.GetDockBarRow(), first) << y;
    }
    ASSERT_TRUE(::SetCursorPos(start.x, start.y + 18));
    b.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    b.SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_NE(b.GetDockBarRow(), first);
    EXPECT_EQ(dock.GetRowIndex(b.GetDockBarRow()), 1);
    EXPECT_EQ(RowDepths(), (std::vector<int>{24, 24}));
}

// How many colours the picture has inside the rectangle.
size_t DistinctColoursIn(const Image& image, const CRect& rect)
{
    std::vector<COLORREF> seen;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = image.Pixel(x, y);
            if (std::find(seen.begin(), seen.end(), c) == seen.end())
                seen.push_back(c);
        }
    return seen.size();
}

// The dock bar with two rows of bars, drawn in the classic and the theme
// look, saved for a person to look at. A plain control bar paints its
// background through the current visual manager and nothing else (its
// border and gripper belong to the bars that embed the non-client helper).
TEST_F(WtkDockBar, DockedBarsPaintTheirBackgroundInEveryLook)
{
    FixedBar& a = NewBar(CSize(120, 26), 100);
    FixedBar& b = NewBar(CSize(90, 26), 101);
    FixedBar& c = NewBar(CSize(150, 26), 102);
    for (FixedBar* bar : {&a, &b, &c})
        bar->SetBarStyle(bar->GetBarStyle() | CBRS_GRIPPER | CBRS_BORDER_ANY);
    DockAt(a, CPoint(0, 0));
    DockAt(b, CPoint(150, 0));
    DockAt(c, CPoint(0, 26));
    ::SetWindowPos(frame->GetSafeHwnd(), HWND_TOPMOST, 20, 20, 440, 140, SWP_SHOWWINDOW | SWP_NOACTIVATE);

    struct Look {
        const char* name;
        const CRuntimeClass* manager;
    };
    const Look looks[] = {{"classic", RUNTIME_CLASS(CWtkVisualManager)},
                          {"winxp", RUNTIME_CLASS(CWtkWinXPVisualManager)}};
    for (const Look& look : looks) {
        SCOPED_TRACE(look.name);
        CWtkVisualManager::SetDefaultManager(look.manager);
        ASSERT_TRUE(CWtkVisualManager::GetInstance()->IsKindOf(look.manager));
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::Sleep(200);
        const Image picture = CaptureWindow(frame->GetSafeHwnd());
        ASSERT_FALSE(picture.Empty());
        EXPECT_FALSE(SaveScreenshot(picture, std::string("toolkit_dock_bar_") + look.name).empty());
        for (FixedBar* bar : {&a, &b, &c}) {
            CRect rect;
            bar->GetWindowRect(&rect);
            CRect origin;
            frame->GetWindowRect(&origin);
            rect.OffsetRect(-origin.left, -origin.top);
            DibCanvas reference(8, 8);
            reference.Fill(RGB(1, 2, 3));
            CWtkVisualManager::GetInstance()->FillBarBackground(&reference.dc, bar, CRect(0, 0, 8, 8),
                                                                CRect(0, 0, 8, 8));
            ASSERT_NE(reference.At(4, 4), RGB(1, 2, 3));
            EXPECT_EQ(DistinctColoursIn(picture, rect), 1u) << bar->GetDlgCtrlID();
            EXPECT_EQ(picture.Pixel(rect.CenterPoint().x, rect.CenterPoint().y), reference.At(4, 4))
                << bar->GetDlgCtrlID();
        }
    }
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(CWtkVisualManager));
}

TEST_F(WtkDockBar, RowsWithARowExclusiveBarSwapInsteadOfMixing)
{
    FixedBar& menu = NewBar(CSize(120, 20), 100);
    menu.SetExclusiveRowMode(TRUE);
    FixedBar& tools = NewBar(CSize(100, 30), 101);
    DockAt(menu, CPoint(0, 0));
    DockAt(tools, CPoint(0, 25));
    CWtkDockBarRow* menuRow = menu.GetDockBarRow();
    CWtkDockBarRow* toolRow = tools.GetDockBarRow();
    ASSERT_NE(menuRow, toolRow);
    ASSERT_EQ(RowOffsets(), (std::vector<int>{0, 20}));

    // A bar docked onto the exclusive row's place gets a row of its own.
    FixedBar& extra = NewBar(CSize(60, 20), 102);
    DockAt(extra, CPoint(200, 5));
    EXPECT_NE(extra.GetDockBarRow(), menuRow);
    EXPECT_EQ(BarsOf(menuRow), std::vector<CWtkBaseControlBar*>{&menu});
    ASSERT_EQ(dock.GetRowIndex(extra.GetDockBarRow()), 2);

    // The tool bar dragged up into the menu row: the two rows change places.
    const int before = dock.GetDockBarRowList().GetCount();
    tools.UpdateFullRect();
    EXPECT_FALSE(Drag(tools, 0, -30));
    EXPECT_EQ(tools.GetDockBarRow(), toolRow);
    EXPECT_EQ(menu.GetDockBarRow(), menuRow);
    EXPECT_EQ(dock.GetDockBarRowList().GetCount(), before);
    EXPECT_EQ(dock.GetRowIndex(toolRow), 0);
    EXPECT_EQ(dock.GetRowIndex(menuRow), 1);
    EXPECT_EQ(RowOffsets(), (std::vector<int>{0, 30, 50}));
    EXPECT_EQ(RectInParent(tools).top, 0);
    EXPECT_EQ(RectInParent(menu).top, 30);
    EXPECT_EQ(tools.GetFullRect().top, 0);
    EXPECT_EQ(Depth(), 70);
}

TEST_F(WtkDockBar, RowsShrinkFromTheEndAndGrowBackToTheRememberedPlaces)
{
    FixedBar& a = NewBar(CSize(100, 24), 100);
    FixedBar& b = NewBar(CSize(100, 24), 101);
    FixedBar& c = NewBar(CSize(100, 24), 102);
    a.minSize = CSize(40, 24);
    b.minSize = CSize(40, 24);
    c.minSize = CSize(40, 24);
    DockAt(a, CPoint(0, 0));
    DockAt(b, CPoint(120, 0));
    DockAt(c, CPoint(280, 0));

    struct Case {
        int length;
        std::vector<std::pair<int, int>> spans;
    };
    const Case cases[] = {
        {400, {{0, 100}, {120, 220}, {280, 380}}},
        {350, {{0, 100}, {120, 220}, {250, 350}}},  // the last bar gives its gap first
        {300, {{0, 100}, {100, 200}, {200, 300}}},  // then every gap
        {250, {{0, 100}, {100, 200}, {200, 250}}},  // then the last bar shrinks
        {180, {{0, 100}, {100, 140}, {140, 180}}},  // to its minimum, then the one before it
        {300, {{0, 100}, {100, 200}, {200, 300}}},  // growing gives the lengths back
        {400, {{0, 100}, {120, 220}, {280, 380}}},  // and the remembered places
    };
    for (const Case& c2 : cases) {
        SetLength(c2.length);
        CRect client;
        dock.GetClientRect(&client);
        EXPECT_EQ(client.Width(), c2.length);
        EXPECT_EQ(Spans({&a, &b, &c}), c2.spans) << "length " << c2.length;
    }
    // The remembered places never moved.
    EXPECT_EQ(c.GetFullRect().left, 280);
    EXPECT_EQ(c.GetFullRect().Width(), 100);
}

TEST_F(WtkDockBar, ShrinkingARowBelowWhatItsBarsNeedIsRefused)
{
    FixedBar& bar = NewBar(CSize(100, 24), 100);
    DockAt(bar, CPoint(0, 0));
    CWtkDockBarRow* row = bar.GetDockBarRow();
    EXPECT_FALSE(dock.ResizeRow(row, 20, FALSE));
    EXPECT_EQ(row->GetRowHeight(), 24);
    EXPECT_EQ(Depth(), 24);
    EXPECT_TRUE(dock.ResizeRow(row, 30, FALSE));
    EXPECT_EQ(row->GetRowHeight(), 30);
    EXPECT_EQ(Depth(), 30);
    EXPECT_TRUE(dock.ResizeRow(row, 24, FALSE));
    EXPECT_EQ(Depth(), 24);
}

TEST_F(WtkDockBar, RemovingBarsLetsTheOthersBackAndDropsEmptyRows)
{
    FixedBar& a = NewBar(CSize(200, 24), 100);
    FixedBar& b = NewBar(CSize(200, 24), 101);
    FixedBar& low = NewBar(CSize(100, 30), 102);
    DockAt(a, CPoint(0, 0));
    DockAt(b, CPoint(150, 0));  // overlaps a: pushed to 200
    DockAt(low, CPoint(0, 40));
    EXPECT_EQ(Spans({&a, &b}), (std::vector<std::pair<int, int>>{{0, 200}, {200, 400}}));

    dock.RemoveControlBar(&a);
    EXPECT_EQ(a.GetDockBarRow(), nullptr);
    EXPECT_EQ(dock.GetControlBarList().Find(&a), nullptr);
    EXPECT_EQ(BarsOf(b.GetDockBarRow()), std::vector<CWtkBaseControlBar*>{&b});

    dock.RemoveControlBar(&b);
    EXPECT_EQ(RowDepths(), std::vector<int>{30});
    EXPECT_EQ(RowOffsets(), std::vector<int>{0});
    EXPECT_EQ(Depth(), 30);
    EXPECT_EQ(RectInParent(low).top, 0);
    EXPECT_EQ(dock.GetRowIndex(b.GetDockBarRow()), 0);
}

TEST_F(WtkDockBar, ABarDockedNextToAnotherGoesJustBeforeIt)
{
    FixedBar& a = NewBar(CSize(100, 24), 100);
    FixedBar& b = NewBar(CSize(100, 24), 101);
    DockAt(a, CPoint(0, 0));
    DockAt(b, CPoint(200, 0));
    FixedBar& c = NewBar(CSize(60, 24), 102);
    c.SetParent(&dock);
    c.SetBarAlignment(CBRS_ALIGN_TOP);

    ASSERT_TRUE(dock.DockControlBarNextTo(&c, &b));
    EXPECT_EQ(c.GetDockBarRow(), b.GetDockBarRow());
    EXPECT_EQ(BarsOf(b.GetDockBarRow()), (std::vector<CWtkBaseControlBar*>{&a, &c, &b}));
    // 10 pixels before b's start, pushing b along.
    EXPECT_EQ(Spans({&a, &c, &b}), (std::vector<std::pair<int, int>>{{0, 100}, {190, 250}, {250, 350}}));
    std::vector<CWtkBaseControlBar*> order;
    for (POSITION pos = dock.GetControlBarList().GetHeadPosition(); pos;)
        order.push_back(static_cast<CWtkBaseControlBar*>(dock.GetControlBarList().GetNext(pos)));
    EXPECT_EQ(order, (std::vector<CWtkBaseControlBar*>{&a, &c, &b}));
    EXPECT_EQ(Depth(), 24);

    // A reference bar in no row is refused, and nothing is taken in.
    FixedBar& loose = NewBar(CSize(50, 24), 103);
    FixedBar& other = NewBar(CSize(50, 24), 104);
    EXPECT_FALSE(dock.DockControlBarNextTo(&loose, &other));
    EXPECT_EQ(dock.GetControlBarList().Find(&loose), nullptr);
    EXPECT_EQ(loose.GetDockBarRow(), nullptr);
}

TEST_F(WtkDockBar, ToolbarArrangementLaysBarsEndToEnd)
{
    FixedBar& a = NewBar(CSize(100, 24), 100);
    FixedBar& b = NewBar(CSize(80, 24), 101);
    FixedBar& c = NewBar(CSize(60, 24), 102);
    DockAt(a, CPoint(0, 0));
    DockAt(b, CPoint(150, 0));
    DockAt(c, CPoint(300, 0));
    c.StoreOption(FALSE);
    a.GetDockBarRow()->ArrangeToolBars(5, 2);
    // c has no spacing: one pixel over b instead of the gap after it.
    EXPECT_EQ(Spans({&a, &b, &c}), (std::vector<std::pair<int, int>>{{5, 105}, {107, 187}, {186, 246}}));
}

// A frame that records the bars menu requests it receives.
class MenuFrame : public CWtkFrameWnd {
public:
    LRESULT OnBarsMenu(WPARAM wParam, LPARAM lParam)
    {
        requests.push_back({reinterpret_cast<HWND>(wParam), CPoint(TVX_X_LPARAM(lParam), TVX_Y_LPARAM(lParam))});
        return 0;
    }
    struct Request {
        HWND bar;
        CPoint point;
    };
    std::vector<Request> requests;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MenuFrame, CWtkFrameWnd)
    ON_REGISTERED_MESSAGE(WTKMSG_TOOLBAR_POPUPMENU, OnBarsMenu)
END_MESSAGE_MAP()

TEST_F(WtkDockBar, TheContextMenuIsAskedOfTheFrameUnlessCustomisingOrDragging)
{
    MenuFrame* menuFrame = NewFrame<MenuFrame>("Menu");
    ASSERT_NE(menuFrame, nullptr);
    FrameHolder menuHolder(menuFrame);
    PlainDockBar side;
    ASSERT_TRUE(side.Make(menuFrame, CBRS_ALIGN_TOP, CRect(0, 0, 300, 0)));
    FixedBar bar(CSize(80, 20));
    ASSERT_TRUE(bar.Make(menuFrame, 120));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(bar.DockControlBar(&side, nullptr, 4));

    struct Case {
        BOOL customise;
        BOOL dragging;
        size_t requests;
    };
    const Case cases[] = {{FALSE, FALSE, 1}, {TRUE, FALSE, 1}, {FALSE, TRUE, 1}, {FALSE, FALSE, 2}};
    for (const Case& c : cases) {
        CWtkToolBar::SetCustomizeMode(c.customise);
        bar.SetDragMode(c.dragging);
        EXPECT_EQ(side.IsBarDragged(), c.dragging);
        side.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(side.m_hWnd), MAKELPARAM(31, 41));
        CWtkToolBar::SetCustomizeMode(FALSE);
        bar.SetDragMode(FALSE);
        ASSERT_EQ(menuFrame->requests.size(), c.requests);
    }
    EXPECT_EQ(menuFrame->requests[0].bar, side.m_hWnd);
    EXPECT_EQ(menuFrame->requests[0].point, CPoint(31, 41));
    bar.DestroyWindow();
}

}  // namespace
