#include <gtest/gtest.h>

#include "platform/ui/bitmap.h"
#include "platform/ui/dc.h"
#include "platform/ui/image_list.h"
#include "screenshot.h"

namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);

// Two 8x8 images side by side: red with a mask-coloured top-left corner
// pixel, and blue.
HBITMAP MakeStrip()
{
    DWORD* bits = nullptr;
    HBITMAP strip = MakeDib(16, 8, &bits);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x)
            bits[y * 16 + x] = x < 8 ? 0xFF0000 : 0x0000FF;
    }
    bits[0] = 0xFF00FF;
    return strip;
}

TEST(ImageList, AddsAStripAndDrawsItsImagesWithTheMaskTransparent)
{
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24 | ILC_MASK, 2, 2));
    EXPECT_FALSE(images.Create(8, 8, ILC_COLOR24, 1, 1)) << "a second list would leak the first";
    CBitmap strip;
    ASSERT_TRUE(strip.Attach(MakeStrip()));
    EXPECT_EQ(images.Add(&strip, kMask), 0);
    EXPECT_EQ(images.GetImageCount(), 2);
    int cx = 0;
    int cy = 0;
    EXPECT_TRUE(images.GetIconSize(&cx, &cy));
    EXPECT_EQ(cx, 8);
    EXPECT_EQ(cy, 8);

    DWORD* bits = nullptr;
    CBitmap target;
    ASSERT_TRUE(target.Attach(MakeDib(20, 10, &bits)));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap* old = dc.SelectObject(&target);
    dc.FillSolidRect(0, 0, 20, 10, RGB(0, 255, 0));
    EXPECT_TRUE(images.Draw(&dc, 0, CPoint(1, 1), ILD_TRANSPARENT));
    EXPECT_TRUE(images.Draw(&dc, 1, CPoint(11, 1), ILD_NORMAL));
    ::GdiFlush();
    const struct {
        int x, y;
        DWORD rgb;
        const char* what;
    } pixels[] = {
        {1, 1, 0x00FF00, "the masked pixel shows the background"},
        {2, 1, 0xFF0000, "image 0 beside it"},
        {8, 8, 0xFF0000, "image 0's far corner"},
        {9, 9, 0x00FF00, "past image 0"},
        {0, 0, 0x00FF00, "before image 0"},
        {11, 1, 0x0000FF, "image 1"},
        {18, 8, 0x0000FF, "image 1's far corner"},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(bits[p.y * 20 + p.x] & 0xFFFFFF, p.rgb) << p.what;
    dc.SelectObject(old);

    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(images.GetImageCount(), 1);
    EXPECT_TRUE(images.Remove(-1));
    EXPECT_EQ(images.GetImageCount(), 0);
}

TEST(ImageList, OwnsItsListAndLooksUpOthers)
{
    HIMAGELIST loose = ImageList_Create(4, 4, ILC_COLOR24, 1, 1);
    ASSERT_NE(loose, nullptr);
    CImageList* temporary = CImageList::FromHandle(loose);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hImageList, loose);
    EXPECT_EQ(CImageList::FromHandle(loose), temporary);
    CImageList::DeleteTempMap();
    EXPECT_EQ(ImageList_GetImageCount(loose), 0) << "a temporary object destroyed nothing";
    {
        CImageList owner;
        ASSERT_TRUE(owner.Attach(loose));
        EXPECT_EQ(CImageList::FromHandle(loose), &owner);
        CImageList second;
        EXPECT_FALSE(second.Attach(loose));
        EXPECT_EQ(owner.Detach(), loose);
        EXPECT_EQ(owner.m_hImageList, nullptr);
    }
    EXPECT_TRUE(ImageList_Destroy(loose)) << "the detached list outlived its object";

    CImageList created;
    ASSERT_TRUE(created.Create(4, 4, ILC_COLOR24, 1, 1));
    EXPECT_TRUE(created.DeleteImageList());
    EXPECT_EQ(created.m_hImageList, nullptr);
    EXPECT_FALSE(created.DeleteImageList());
}

}  // namespace
