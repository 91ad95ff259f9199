#include <gtest/gtest.h>

#include "dialog_watcher.h"
#include "platform/ui/dialog.h"
#include "test_resource.h"

namespace {

// Asks the dialog to end with the code in wParam; answers kEndAnswer.
constexpr UINT kEndWith = WM_APP + 1;
constexpr LRESULT kEndAnswer = 42;

class TestDialog : public CDialog {
public:
    explicit TestDialog(UINT templateId = IDD_TEST_DIALOG) : CDialog(templateId) {}

    int initCalls = 0;
    bool windowDuringInit = false;
    int okCalls = 0;
    int cancelCalls = 0;

protected:
    BOOL OnInitDialog() override
    {
        ++initCalls;
        windowDuringInit = ::IsWindow(m_hWnd) != FALSE;
        return CDialog::OnInitDialog();
    }
    void OnOK() override
    {
        ++okCalls;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancelCalls;
        CDialog::OnCancel();
    }
    LRESULT OnEndWith(WPARAM wParam, LPARAM)
    {
        EndDialog(static_cast<int>(wParam));
        return kEndAnswer;
    }
    HCURSOR OnQueryDragIcon() { return ::LoadIconA(nullptr, IDI_QUESTION); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_MESSAGE(kEndWith, OnEndWith)
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

struct ButtonCase {
    int button;
    INT_PTR expectedResult;
    int expectedOk;
    int expectedCancel;
};

void PrintTo(const ButtonCase& c, std::ostream* out)
{
    *out << (c.button == IDOK ? "OK" : "Cancel");
}

class DialogButtons : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(DialogButtons, DoModalReturnsTheButtonThatEndedTheDialog)
{
    const ButtonCase& c = GetParam();
    TestDialog dialog;
    std::vector<std::string> texts;
    DialogWatcher watcher(::GetCurrentProcessId(), "Ui Test Dialog", c.button,
                          [&](HWND box) { texts = StaticTexts(box); });

    EXPECT_EQ(dialog.DoModal(), c.expectedResult);
    EXPECT_TRUE(watcher.Finish());
    EXPECT_EQ(texts, std::vector<std::string>{"Probe text"});
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_TRUE(dialog.windowDuringInit);
    EXPECT_EQ(dialog.okCalls, c.expectedOk);
    EXPECT_EQ(dialog.cancelCalls, c.expectedCancel);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, DialogButtons,
                         ::testing::Values(ButtonCase{IDOK, IDOK, 1, 0},
                                           ButtonCase{IDCANCEL, IDCANCEL, 0, 1}),
                         [](const ::testing::TestParamInfo<ButtonCase>& info) {
                             return std::string(info.param.button == IDOK ? "Ok" : "Cancel");
                         });

TEST(Dialog, AnswersComeBackToTheSenderAndEndDialogSetsTheResult)
{
    TestDialog dialog;
    LRESULT endAnswer = 0;
    LRESULT dragIcon = 0;
    // The watcher presses a button only after the inspection, and by then
    // EndDialog has already fixed the result.
    DialogWatcher watcher(::GetCurrentProcessId(), "Ui Test Dialog", IDOK, [&](HWND box) {
        dragIcon = ::SendMessageA(box, WM_QUERYDRAGICON, 0, 0);
        endAnswer = ::SendMessageA(box, kEndWith, 77, 0);
    });

    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_TRUE(watcher.Finish());
    EXPECT_EQ(endAnswer, kEndAnswer);
    EXPECT_EQ(dragIcon, reinterpret_cast<LRESULT>(::LoadIconA(nullptr, IDI_QUESTION)));
}

TEST(Dialog, MissingTemplateFailsWithoutCallingTheDialog)
{
    TestDialog dialog(IDD_MISSING_DIALOG);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.initCalls, 0);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

}  // namespace
