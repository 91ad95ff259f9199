#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/ui/bitmap.h"
#include "platform/ui/brush.h"
#include "platform/ui/dc.h"
#include "platform/ui/font.h"
#include "platform/ui/palette.h"
#include "platform/ui/pen.h"
#include "platform/ui/rgn.h"

namespace {

struct GdiKind {
    const char* name;
    DWORD objectType;
    const CRuntimeClass* runtimeClass;
    // Makes an owning object of the kind.
    std::function<std::unique_ptr<CGdiObject>()> make;
};

LOGPALETTE* TwoColourPalette()
{
    static struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[2];
    } palette = {0x300, 2, {{255, 0, 0, 0}, {0, 0, 255, 0}}};
    return reinterpret_cast<LOGPALETTE*>(&palette);
}

const GdiKind& Kind(int index)
{
    static const GdiKind kinds[] = {
        {"pen", OBJ_PEN, RUNTIME_CLASS(CPen),
         [] {
             auto pen = std::make_unique<CPen>();
             EXPECT_TRUE(pen->CreatePen(PS_SOLID, 2, RGB(1, 2, 3)));
             return std::unique_ptr<CGdiObject>(std::move(pen));
         }},
        {"brush", OBJ_BRUSH, RUNTIME_CLASS(CBrush),
         [] { return std::unique_ptr<CGdiObject>(std::make_unique<CBrush>(RGB(4, 5, 6))); }},
        {"font", OBJ_FONT, RUNTIME_CLASS(CFont),
         [] {
             auto font = std::make_unique<CFont>();
             LOGFONTA logFont = {};
             logFont.lfHeight = -12;
             lstrcpyA(logFont.lfFaceName, "Tahoma");
             EXPECT_TRUE(font->CreateFontIndirect(&logFont));
             return std::unique_ptr<CGdiObject>(std::move(font));
         }},
        {"bitmap", OBJ_BITMAP, RUNTIME_CLASS(CBitmap),
         [] {
             auto bitmap = std::make_unique<CBitmap>();
             EXPECT_TRUE(bitmap->CreateBitmap(8, 8, 1, 1, nullptr));
             return std::unique_ptr<CGdiObject>(std::move(bitmap));
         }},
        {"region", OBJ_REGION, RUNTIME_CLASS(CRgn),
         [] {
             auto region = std::make_unique<CRgn>();
             EXPECT_TRUE(region->CreateRectRgn(0, 0, 10, 10));
             return std::unique_ptr<CGdiObject>(std::move(region));
         }},
        {"palette", OBJ_PAL, RUNTIME_CLASS(CPalette),
         [] {
             auto palette = std::make_unique<CPalette>();
             EXPECT_TRUE(palette->CreatePalette(TwoColourPalette()));
             return std::unique_ptr<CGdiObject>(std::move(palette));
         }},
    };
    return kinds[index];
}

constexpr int kKinds = 6;

TEST(GdiObject, EachKindIsDeletedWithItsObject)
{
    for (int i = 0; i < kKinds; ++i) {
        const GdiKind& kind = Kind(i);
        SCOPED_TRACE(kind.name);
        std::unique_ptr<CGdiObject> object = kind.make();
        HGDIOBJ handle = object->m_hObject;
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(static_cast<DWORD>(::GetObjectType(handle)), kind.objectType);
        EXPECT_EQ(object->GetObjectType(), kind.objectType);
        EXPECT_TRUE(object->IsKindOf(kind.runtimeClass));
        object.reset();
        EXPECT_EQ(::GetObjectType(handle), 0u) << "the handle outlived its object";
    }
}

TEST(GdiObject, DetachedHandleOutlivesTheObjectAndAnotherObjectCanOwnIt)
{
    for (int i = 0; i < kKinds; ++i) {
        const GdiKind& kind = Kind(i);
        SCOPED_TRACE(kind.name);
        std::unique_ptr<CGdiObject> object = kind.make();
        HGDIOBJ handle = object->Detach();
        EXPECT_EQ(object->m_hObject, nullptr);
        EXPECT_FALSE(object->DeleteObject()) << "nothing left to delete";
        object.reset();
        ASSERT_EQ(static_cast<DWORD>(::GetObjectType(handle)), kind.objectType);

        CGdiObject owner;
        ASSERT_TRUE(owner.Attach(handle));
        EXPECT_EQ(CGdiObject::FromHandle(handle), &owner);
        EXPECT_TRUE(owner.DeleteObject());
        EXPECT_EQ(::GetObjectType(handle), 0u);
        EXPECT_EQ(owner.m_hObject, nullptr);
    }
}

TEST(GdiObject, AttachRefusesASecondOwnerANonObjectAndAFullObject)
{
    CBrush first(RGB(1, 1, 1));
    CBrush second;
    EXPECT_FALSE(second.Attach(first.m_hObject)) << "two owners would delete the handle twice";
    EXPECT_FALSE(second.Attach(nullptr));
    EXPECT_FALSE(second.Attach(reinterpret_cast<HGDIOBJ>(0x7ff0)));
    EXPECT_EQ(second.m_hObject, nullptr);

    CBrush full(RGB(2, 2, 2));
    HGDIOBJ kept = full.m_hObject;
    EXPECT_FALSE(full.CreateSolidBrush(RGB(3, 3, 3))) << "a second Create must not leak the first brush";
    EXPECT_EQ(full.m_hObject, kept);
}

TEST(GdiObject, StockObjectsAreSharedAndNeverDeleted)
{
    HGDIOBJ stock = ::GetStockObject(BLACK_PEN);
    {
        CPen a;
        CPen b;
        EXPECT_TRUE(a.CreateStockObject(BLACK_PEN));
        EXPECT_TRUE(b.CreateStockObject(BLACK_PEN));
        EXPECT_EQ(a.m_hObject, stock);
        EXPECT_EQ(b.m_hObject, stock);
        CBrush face;
        EXPECT_TRUE(face.CreateSysColorBrush(COLOR_BTNFACE));
        EXPECT_EQ(face.m_hObject, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    EXPECT_EQ(static_cast<DWORD>(::GetObjectType(stock)), static_cast<DWORD>(OBJ_PEN));
    LOGBRUSH face = {};
    EXPECT_EQ(::GetObjectA(::GetSysColorBrush(COLOR_BTNFACE), sizeof face, &face), static_cast<int>(sizeof face));
}

TEST(GdiObject, FromHandleGivesTheOwnerElseATemporaryOfTheHandlesKind)
{
    for (int i = 0; i < kKinds; ++i) {
        const GdiKind& kind = Kind(i);
        SCOPED_TRACE(kind.name);
        std::unique_ptr<CGdiObject> object = kind.make();
        EXPECT_EQ(CGdiObject::FromHandle(object->m_hObject), object.get());

        HGDIOBJ loose = object->Detach();
        CGdiObject* temporary = CGdiObject::FromHandle(loose);
        ASSERT_NE(temporary, nullptr);
        EXPECT_NE(temporary, object.get());
        EXPECT_TRUE(temporary->IsKindOf(kind.runtimeClass));
        EXPECT_EQ(temporary->m_hObject, loose);
        EXPECT_EQ(CGdiObject::FromHandle(loose), temporary) << "one temporary object per handle";
        CGdiObject::DeleteTempMap();
        EXPECT_EQ(static_cast<DWORD>(::GetObjectType(loose)), kind.objectType) << "a temporary owns nothing";
        ::DeleteObject(loose);
    }
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);
}

TEST(GdiObject, TypedFromHandleAnswersTheTypeAsked)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    CPen* penObject = CPen::FromHandle(pen);
    ASSERT_NE(penObject, nullptr);
    EXPECT_EQ(penObject->m_hObject, pen);
    EXPECT_TRUE(penObject->IsKindOf(RUNTIME_CLASS(CPen)));
    LOGPEN logPen = {};
    EXPECT_NE(penObject->GetLogPen(&logPen), 0);
    EXPECT_EQ(logPen.lopnColor, RGB(9, 9, 9));
    CFont* fontObject = CFont::FromHandle(font);
    ASSERT_NE(fontObject, nullptr);
    LOGFONTA logFont = {};
    EXPECT_NE(fontObject->GetLogFont(&logFont), 0);

    CBrush owner(RGB(1, 2, 3));
    EXPECT_EQ(CPen::FromHandle(static_cast<HPEN>(owner.m_hObject)), nullptr) << "the owner is a brush, not a pen";
    CGdiObject::DeleteTempMap();
    ::DeleteObject(pen);
}

TEST(GdiObject, ATemporaryAskedForAsAnotherKindIsReplacedButStaysValidUntilIdle)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 1, 1));
    CPen* asPen = CPen::FromHandle(pen);
    ASSERT_NE(asPen, nullptr);
    // As happens when a handle is freed and the number reused for a brush.
    CBrush* asBrush = CBrush::FromHandle(reinterpret_cast<HBRUSH>(pen));
    ASSERT_NE(asBrush, nullptr);
    EXPECT_TRUE(asBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(asBrush->m_hObject, pen);
    EXPECT_EQ(asPen->m_hObject, nullptr) << "the replaced object no longer claims the handle";
    EXPECT_TRUE(asPen->IsKindOf(RUNTIME_CLASS(CPen))) << "and is still alive for whoever holds it";
    EXPECT_EQ(CGdiObject::FromHandle(pen)->GetRuntimeClass(), RUNTIME_CLASS(CPen))
        << "untyped, the kind comes from the handle";
    CGdiObject::DeleteTempMap();
    EXPECT_EQ(static_cast<DWORD>(::GetObjectType(pen)), static_cast<DWORD>(OBJ_PEN));
    ::DeleteObject(pen);
}

TEST(Rgn, CombinesAndTestsPoints)
{
    CRgn a;
    CRgn b;
    CRgn both;
    ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(b.CreateRectRgn(5, 5, 20, 20));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    CRect box;
    EXPECT_EQ(both.GetRgnBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_TRUE(both.PtInRegion(5, 5));
    EXPECT_FALSE(both.PtInRegion(10, 10));
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(both.PtInRegion(7, 7));
    both.OffsetRgn(100, 0);
    EXPECT_TRUE(both.PtInRegion(101, 1));
    CRgn copy;
    ASSERT_TRUE(copy.CreateRectRgn(0, 0, 0, 0));
    copy.CopyRgn(&both);
    EXPECT_TRUE(copy.EqualRgn(&both));
}

TEST(Palette, ReadsItsEntries)
{
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(TwoColourPalette()));
    EXPECT_EQ(palette.GetEntryCount(), 2);
    PALETTEENTRY entries[2] = {};
    EXPECT_EQ(palette.GetPaletteEntries(0, 2, entries), 2u);
    EXPECT_EQ(entries[1].peBlue, 255);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(250, 10, 10)), 0u);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(0, 0, 200)), 1u);
}

}  // namespace
