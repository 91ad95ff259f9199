// Drag and drop between two windows of this process, driven by the real
// mouse: OLE's drag loop polls the mouse and keyboard state, so the input
// comes through SendInput from a driver thread while this thread runs the
// drag.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "input.h"
#include "message_pump.h"
#include "platform/framework/shared_file.h"
#include "platform/ui/ole_data_object.h"
#include "platform/ui/ole_data_source.h"
#include "platform/ui/ole_drop_source.h"
#include "platform/ui/ole_drop_target.h"
#include "platform/ui/ole_init.h"
#include "platform/ui/window_class.h"
#include "platform/ui/wnd.h"

namespace {

bool KeyDown(int virtualKey)
{
    return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// Polls with a bound; for the driver thread, which has no messages to handle.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 5000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(5);
    }
    return true;
}

// Moves the real pointer there and waits until the system has it there.
bool MovePointer(POINT screen)
{
    SendMouseAt(0, screen);
    return WaitFor([&] {
        POINT now;
        return ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
    });
}

class RecordingTarget : public COleDropTarget {
public:
    explicit RecordingTarget(CLIPFORMAT format) : m_format(format) {}

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override
    {
        Note("enter", pWnd);
        return Answer(pDataObject);
    }
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override
    {
        Note("over", pWnd);
        overKeys |= dwKeyState;
        ++overs;
        return Answer(pDataObject);
    }
    void OnDragLeave(CWnd* pWnd) override { Note("leave", pWnd); }
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override
    {
        Note("drop", pWnd);
        droppedEffect = dropEffect;
        dropPoint = point;
        std::unique_ptr<CFile> file(pDataObject->GetFileData(m_format));
        if (file) {
            dropped.resize(static_cast<size_t>(file->GetLength()));
            file->Read(dropped.data(), static_cast<UINT>(dropped.size()));
        }
        return file != nullptr;
    }

    std::vector<std::string> steps;  // consecutive repeats noted once
    std::atomic<int> overs{0};
    DWORD overKeys = 0;
    DROPEFFECT answer = DROPEFFECT_MOVE;  // while the data is offered
    bool otherWindow = false;
    std::string dropped;
    DROPEFFECT droppedEffect = DROPEFFECT_NONE;
    CPoint dropPoint;
    HWND window = nullptr;

private:
    void Note(const char* step, CWnd* pWnd)
    {
        if (pWnd == nullptr || pWnd->GetSafeHwnd() != window)
            otherWindow = true;
        if (steps.empty() || steps.back() != step)
            steps.push_back(step);
    }
    DROPEFFECT Answer(COleDataObject* data) const
    {
        return data->IsDataAvailable(m_format) ? answer : DROPEFFECT_NONE;
    }

    CLIPFORMAT m_format;
};

class RecordingSource : public COleDropSource {
public:
    BOOL OnBeginDrag(CWnd* pWnd) override
    {
        waiting = true;
        began = COleDropSource::OnBeginDrag(pWnd);
        return began;
    }
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override
    {
        const SCODE answer = COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
        if (answer == DRAGDROP_S_CANCEL)
            cancelled = true;
        return answer;
    }
    SCODE GiveFeedback(DROPEFFECT dropEffect) override
    {
        feedback.push_back(dropEffect);
        return COleDropSource::GiveFeedback(dropEffect);
    }

    std::atomic<bool> waiting{false};
    std::atomic<bool> cancelled{false};
    BOOL began = FALSE;
    std::vector<DROPEFFECT> feedback;
};

class OleDragDrop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        const std::string windowClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
        ASSERT_TRUE(source.CreateEx(0, windowClass.c_str(), "source", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200,
                                    nullptr, nullptr));
        ASSERT_TRUE(target.CreateEx(0, windowClass.c_str(), "target", WS_POPUP | WS_VISIBLE, 600, 100, 200, 200,
                                    nullptr, nullptr));
        ::SetForegroundWindow(source.m_hWnd);
        PumpMessages(50);
        dropTarget.window = target.m_hWnd;
    }
    void TearDown() override
    {
        // Nothing may stay pressed for the next test.
        SendMouseAt(MOUSEEVENTF_LEFTUP, kStart);
        source.DestroyWindow();
        target.DestroyWindow();
        AfxOleTerm();
    }

    static HGLOBAL Payload(const std::string& text)
    {
        CSharedFile file;
        file.Write(text.data(), static_cast<UINT>(text.size()));
        return file.Detach();
    }

    static constexpr POINT kStart = {200, 200};  // the source window's middle
    static constexpr POINT kDrop = {700, 150};   // in the target window
    const CLIPFORMAT format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("TvxOleDragTest"));
    CWnd source;
    CWnd target;
    RecordingTarget dropTarget{format};
    RecordingSource dropSource;
};

constexpr POINT OleDragDrop::kStart;
constexpr POINT OleDragDrop::kDrop;

constexpr DWORD kCopyMove = DROPEFFECT_COPY | DROPEFFECT_MOVE;

enum class Ending { ReleaseOverTarget, EscapeOverTarget, ReleaseInsideStartRect };

struct DragCase {
    const char* name;
    DROPEFFECT answer;   // the target's
    DWORD allowed;       // by the source
    Ending ending;
    DROPEFFECT effect;   // the drag's outcome
    const char* lastStep;
};

// Enter, over and leave in the order a drag can produce them (the pointer
// may leave and come back), ending with the given step.
::testing::AssertionResult WellFormed(const std::vector<std::string>& steps, const std::string& last)
{
    bool inside = false;
    for (size_t i = 0; i < steps.size(); ++i) {
        const std::string& step = steps[i];
        const bool ok = step == "enter" ? !inside : inside;
        if (!ok || (step == "drop" && i + 1 != steps.size()))
            return ::testing::AssertionFailure() << "step " << i << " \"" << step << "\" out of order";
        inside = step == "enter" || step == "over";
    }
    if (steps.empty() || steps.front() != "enter" || steps.back() != last)
        return ::testing::AssertionFailure() << "the drag does not begin with enter and end with " << last;
    return ::testing::AssertionSuccess();
}

class OleDragDropCases : public OleDragDrop, public ::testing::WithParamInterface<DragCase> {};

TEST_P(OleDragDropCases, TargetSeesTheDragAndSourceGetsItsAnswer)
{
    const DragCase& c = GetParam();
    dropTarget.answer = c.answer;
    ASSERT_TRUE(dropTarget.Register(&target));
    COleDataSource data;
    data.CacheGlobalData(format, Payload("dragged button"));

    std::atomic<bool> driverOk{true};
    std::thread driver([&] {
        auto check = [&](bool ok) {
            if (!ok)
                driverOk = false;
            return ok;
        };
        if (!check(MovePointer(kStart)))
            return;
        SendMouseAt(MOUSEEVENTF_LEFTDOWN, kStart);
        if (!check(WaitFor([&] { return dropSource.waiting.load(); })))
            return;
        if (c.ending == Ending::ReleaseInsideStartRect) {
            check(MovePointer({kStart.x + 3, kStart.y + 3}));
            SendMouseAt(MOUSEEVENTF_LEFTUP, {kStart.x + 3, kStart.y + 3});
        } else {
            for (int step = 1; step <= 10; ++step)
                check(MovePointer({kStart.x + (kDrop.x - kStart.x) * step / 10,
                                   kStart.y + (kDrop.y - kStart.y) * step / 10}));
            const int seen = dropTarget.overs.load();
            check(WaitFor([&] { return dropTarget.overs.load() > seen; }));
            if (c.ending == Ending::EscapeOverTarget) {
                PressKey(VK_ESCAPE);
                // The button is let go only once the drag has ended.
                check(WaitFor([&] { return dropSource.cancelled.load(); }));
            }
            SendMouseAt(MOUSEEVENTF_LEFTUP, kDrop);
        }
    });
    ASSERT_TRUE(PumpUntil([] { return KeyDown(VK_LBUTTON); }));
    const CRect startRect(kStart.x - 5, kStart.y - 5, kStart.x + 5, kStart.y + 5);
    const DROPEFFECT effect = data.DoDragDrop(c.allowed, &startRect, &dropSource);
    driver.join();

    ASSERT_TRUE(driverOk);
    EXPECT_EQ(effect, c.effect);
    EXPECT_FALSE(dropTarget.otherWindow);
    if (c.ending == Ending::ReleaseInsideStartRect) {
        EXPECT_FALSE(dropSource.began);
        EXPECT_TRUE(dropTarget.steps.empty());
        return;
    }
    EXPECT_TRUE(dropSource.began);
    EXPECT_EQ(dropSource.cancelled.load(), c.ending == Ending::EscapeOverTarget);
    EXPECT_TRUE(WellFormed(dropTarget.steps, c.lastStep));
    EXPECT_TRUE(dropTarget.overKeys & MK_LBUTTON);
    ASSERT_FALSE(dropSource.feedback.empty());
    if (c.effect != DROPEFFECT_NONE) {
        EXPECT_EQ(dropTarget.dropped, "dragged button");
        EXPECT_EQ(dropTarget.droppedEffect, c.effect);
        EXPECT_EQ(dropTarget.dropPoint, CPoint(kDrop.x - 600, kDrop.y - 100));
        EXPECT_EQ(dropSource.feedback.back(), c.effect);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Endings, OleDragDropCases,
    ::testing::Values(
        DragCase{"Move", DROPEFFECT_MOVE, kCopyMove, Ending::ReleaseOverTarget, DROPEFFECT_MOVE, "drop"},
        DragCase{"Copy", DROPEFFECT_COPY, kCopyMove, Ending::ReleaseOverTarget, DROPEFFECT_COPY, "drop"},
        DragCase{"AnswerTheSourceForbidsIsNoDrop", DROPEFFECT_COPY, DROPEFFECT_MOVE, Ending::ReleaseOverTarget,
                 DROPEFFECT_NONE, "leave"},
        DragCase{"EscapeCancels", DROPEFFECT_MOVE, kCopyMove, Ending::EscapeOverTarget, DROPEFFECT_NONE, "leave"},
        DragCase{"NoDragInsideStartRect", DROPEFFECT_MOVE, kCopyMove, Ending::ReleaseInsideStartRect,
                 DROPEFFECT_NONE, ""}),
    [](const ::testing::TestParamInfo<DragCase>& info) { return info.param.name; });

TEST_F(OleDragDrop, RegistrationEndsWithTheTargetObject)
{
    {
        RecordingTarget first(format);
        ASSERT_TRUE(first.Register(&target));
        EXPECT_FALSE(first.Register(&source));  // one window per target object

        RecordingTarget second(format);
        EXPECT_FALSE(second.Register(&target));  // one target per window
    }
    EXPECT_EQ(::RevokeDragDrop(target.m_hWnd), DRAGDROP_E_NOTREGISTERED);

    RecordingTarget later(format);
    EXPECT_TRUE(later.Register(&target));
    later.Revoke();
    EXPECT_EQ(::RevokeDragDrop(target.m_hWnd), DRAGDROP_E_NOTREGISTERED);
    EXPECT_TRUE(later.Register(&target));
}

TEST_F(OleDragDrop, NoRegistrationWithoutOle)
{
    std::thread([&] {
        CWnd window;
        const std::string windowClass = AfxRegisterWndClass(0);
        ASSERT_TRUE(window.CreateEx(0, windowClass.c_str(), "no ole", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        RecordingTarget unregistered(format);
        EXPECT_FALSE(unregistered.Register(&window));
        ASSERT_TRUE(AfxOleInit());
        RecordingTarget registered(format);
        EXPECT_TRUE(registered.Register(&window));
        registered.Revoke();
        window.DestroyWindow();
        AfxOleTerm();
    }).join();
}

}  // namespace
