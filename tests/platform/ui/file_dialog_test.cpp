#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "dialog_watcher.h"
#include "platform/ui/app.h"
#include "platform/ui/file_dialog.h"

namespace {

// Types a name into the system's file box (its name field: combo 1148 or
// edit 1152) and presses the button.
void ChooseInBox(HWND box, const std::string& name)
{
    HWND field = ::GetDlgItem(box, 1148);
    if (!field)
        field = ::GetDlgItem(box, 1152);
    ::SetWindowTextA(field, name.c_str());
}

TEST(FileDialog, TheChosenFileComesBackWithItsPartsAndCancelChoosesNothing)
{
    CWinApp app("File Test");
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "tvx file dialog.tsk";
    std::ofstream(path) << "x";
    {
        CFileDialog open(TRUE, "tsk", nullptr, OFN_FILEMUSTEXIST, "Task Files (*.tsk)|*.tsk|All Files (*.*)|*.*||");
        EXPECT_EQ(open.m_ofn.nFilterIndex, 0u);
        EXPECT_STREQ(open.m_ofn.lpstrFilter, "Task Files (*.tsk)");
        DialogWatcher watcher(::GetCurrentProcessId(), "", IDOK, [&](HWND box) { ChooseInBox(box, path); });
        EXPECT_EQ(open.DoModal(), IDOK);
        EXPECT_TRUE(watcher.Finish());
        EXPECT_EQ(lstrcmpiA(open.GetPathName(), path.c_str()), 0);
        EXPECT_STREQ(open.GetFileName(), "tvx file dialog.tsk");
        EXPECT_STREQ(open.GetFileExt(), "tsk");
        EXPECT_STREQ(open.GetFileTitle(), "tvx file dialog");
    }
    {
        CFileDialog save(FALSE, "tsk", "proposed.tsk");
        DialogWatcher watcher(::GetCurrentProcessId(), "", IDCANCEL);
        EXPECT_EQ(save.DoModal(), IDCANCEL);
        EXPECT_TRUE(watcher.Finish());
    }
    ::DeleteFileA(path.c_str());
}

}  // namespace
