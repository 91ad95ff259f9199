#include <gtest/gtest.h>

#include <ostream>

#include "platform/ui/geometry.h"

// Printed in failure messages as (left,top)-(right,bottom).
static void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace {

struct RectCase {
    const char* name;
    CRect rect;
    int width;
    int height;
    bool empty;
    bool null;
    CPoint center;
};

TEST(Rect, MeasuresEmptyNegativeAndNormalRectangles)
{
    const RectCase cases[] = {
        {"ordinary", CRect(10, 20, 110, 70), 100, 50, false, false, CPoint(60, 45)},
        {"all zero", CRect(), 0, 0, true, true, CPoint(0, 0)},
        {"zero width", CRect(5, 5, 5, 50), 0, 45, true, false, CPoint(5, 27)},
        {"zero height", CRect(5, 5, 50, 5), 45, 0, true, false, CPoint(27, 5)},
        {"given from the far corner", CRect(100, 80, 10, 20), -90, -60, true, false, CPoint(55, 50)},
        {"negative coordinates", CRect(-30, -20, -10, -5), 20, 15, false, false, CPoint(-20, -12)},
        {"one pixel", CRect(3, 4, 4, 5), 1, 1, false, false, CPoint(3, 4)},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.rect.Width(), c.width);
        EXPECT_EQ(c.rect.Height(), c.height);
        EXPECT_EQ(c.rect.Size(), CSize(c.width, c.height));
        EXPECT_EQ(c.rect.IsRectEmpty() != FALSE, c.empty);
        EXPECT_EQ(c.rect.IsRectNull() != FALSE, c.null);
        EXPECT_EQ(c.rect.CenterPoint(), c.center);
    }
}

TEST(Rect, PointsOnTheLeftAndTopEdgesAreInsideThoseOnTheRightAndBottomAreNot)
{
    const CRect rect(10, 20, 30, 40);
    const struct {
        CPoint point;
        bool inside;
    } cases[] = {
        {CPoint(10, 20), true},  {CPoint(29, 39), true},  {CPoint(30, 20), false}, {CPoint(10, 40), false},
        {CPoint(9, 25), false},  {CPoint(20, 19), false}, {CPoint(20, 30), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(rect.PtInRect(c.point) != FALSE, c.inside);
    }
    EXPECT_FALSE(CRect(30, 40, 10, 20).PtInRect(CPoint(20, 30))) << "a rectangle given backwards holds nothing";
}

TEST(Rect, NormalizeSwapsOnlyTheReversedAxis)
{
    const struct {
        CRect given;
        CRect normal;
    } cases[] = {
        {CRect(100, 80, 10, 20), CRect(10, 20, 100, 80)},
        {CRect(100, 20, 10, 80), CRect(10, 20, 100, 80)},
        {CRect(10, 80, 100, 20), CRect(10, 20, 100, 80)},
        {CRect(10, 20, 100, 80), CRect(10, 20, 100, 80)},
        {CRect(-5, -5, -50, -50), CRect(-50, -50, -5, -5)},
        {CRect(7, 7, 7, 7), CRect(7, 7, 7, 7)},
    };
    for (const auto& c : cases) {
        CRect rect = c.given;
        rect.NormalizeRect();
        EXPECT_EQ(rect, c.normal);
    }
}

TEST(Rect, InflateDeflateAndOffsetMoveTheEdges)
{
    CRect rect(10, 20, 110, 70);
    rect.InflateRect(2, 3);
    EXPECT_EQ(rect, CRect(8, 17, 112, 73));
    rect.DeflateRect(2, 3);
    EXPECT_EQ(rect, CRect(10, 20, 110, 70));
    rect.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, CRect(9, 18, 113, 74));
    rect.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, CRect(10, 20, 110, 70));
    rect.InflateRect(CSize(5, 6));
    EXPECT_EQ(rect, CRect(5, 14, 115, 76));
    rect.DeflateRect(CSize(5, 6));
    const CRect sides(1, 1, 2, 2);
    rect.InflateRect(&sides);
    EXPECT_EQ(rect, CRect(9, 19, 112, 72));
    rect.DeflateRect(&sides);
    EXPECT_EQ(rect, CRect(10, 20, 110, 70));
    rect.OffsetRect(-15, 5);
    EXPECT_EQ(rect, CRect(-5, 25, 95, 75));
    rect.OffsetRect(CPoint(5, -5));
    EXPECT_EQ(rect, CRect(0, 20, 100, 70));
    rect.OffsetRect(CSize(10, 0));
    EXPECT_EQ(rect, CRect(10, 20, 110, 70));

    // Deflating past the middle turns the rectangle inside out: it is empty.
    CRect thin(0, 0, 4, 4);
    thin.DeflateRect(3, 3);
    EXPECT_EQ(thin, CRect(3, 3, 1, 1));
    EXPECT_TRUE(thin.IsRectEmpty());
}

TEST(Rect, IntersectionAndUnionFollowTheSystemRules)
{
    const struct {
        const char* name;
        CRect a;
        CRect b;
        bool intersects;
        CRect intersection;
        bool unites;
        CRect uni;
    } cases[] = {
        {"overlapping", CRect(0, 0, 10, 10), CRect(5, 5, 20, 20), true, CRect(5, 5, 10, 10), true,
         CRect(0, 0, 20, 20)},
        {"one inside the other", CRect(0, 0, 100, 100), CRect(10, 10, 20, 20), true, CRect(10, 10, 20, 20), true,
         CRect(0, 0, 100, 100)},
        {"touching edges share nothing", CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), false, CRect(), true,
         CRect(0, 0, 20, 10)},
        {"apart", CRect(0, 0, 10, 10), CRect(50, 50, 60, 60), false, CRect(), true, CRect(0, 0, 60, 60)},
        {"an empty one takes no part in the union", CRect(0, 0, 10, 10), CRect(100, 100, 100, 200), false, CRect(),
         true, CRect(0, 0, 10, 10)},
        {"a backwards one is empty", CRect(10, 10, 0, 0), CRect(5, 5, 20, 20), false, CRect(), true,
         CRect(5, 5, 20, 20)},
        {"both empty", CRect(), CRect(3, 3, 3, 9), false, CRect(), false, CRect()},
        {"negative coordinates", CRect(-20, -20, -5, -5), CRect(-10, -30, 0, -10), true, CRect(-10, -20, -5, -10),
         true, CRect(-20, -30, 0, -5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRect result(1, 2, 3, 4);
        EXPECT_EQ(result.IntersectRect(&c.a, &c.b) != FALSE, c.intersects);
        EXPECT_EQ(result, c.intersection);
        EXPECT_EQ(c.a & c.b, c.intersection);
        CRect andAssigned = c.a;
        andAssigned &= c.b;
        EXPECT_EQ(andAssigned, c.intersection);

        CRect united(1, 2, 3, 4);
        EXPECT_EQ(united.UnionRect(&c.a, &c.b) != FALSE, c.unites);
        EXPECT_EQ(united, c.uni);
        EXPECT_EQ(c.a | c.b, c.uni);
        CRect orAssigned = c.a;
        orAssigned |= c.b;
        EXPECT_EQ(orAssigned, c.uni);
    }
}

TEST(Rect, OperatorsOffsetWithPointsAndSizesAndInflateWithRectangles)
{
    const CRect rect(10, 20, 30, 40);
    EXPECT_EQ(rect + CPoint(1, 2), CRect(11, 22, 31, 42));
    EXPECT_EQ(rect - CPoint(1, 2), CRect(9, 18, 29, 38));
    EXPECT_EQ(rect + CSize(-10, -20), CRect(0, 0, 20, 20));
    EXPECT_EQ(rect - CSize(10, 20), CRect(0, 0, 20, 20));
    const CRect sides(1, 2, 3, 4);
    EXPECT_EQ(rect + &sides, CRect(9, 18, 33, 44));
    EXPECT_EQ(rect - &sides, CRect(11, 22, 27, 36));

    CRect moving = rect;
    moving += CPoint(5, 5);
    EXPECT_EQ(moving, CRect(15, 25, 35, 45));
    moving -= CSize(5, 5);
    EXPECT_EQ(moving, rect);
    moving += &sides;
    EXPECT_EQ(moving, CRect(9, 18, 33, 44));
    moving -= &sides;
    EXPECT_EQ(moving, rect);
    moving += CSize(1, 1);
    moving -= CPoint(1, 1);
    EXPECT_EQ(moving, rect);

    EXPECT_TRUE(rect == CRect(10, 20, 30, 40));
    EXPECT_FALSE(rect != CRect(10, 20, 30, 40));
    EXPECT_TRUE(rect != CRect(10, 20, 30, 41));
    EXPECT_TRUE(rect.EqualRect(CRect(10, 20, 30, 40)));
}

TEST(Rect, CornersAreTheRectanglesOwnCoordinates)
{
    CRect rect(10, 20, 30, 40);
    EXPECT_EQ(rect.TopLeft(), CPoint(10, 20));
    EXPECT_EQ(rect.BottomRight(), CPoint(30, 40));
    rect.TopLeft() = CPoint(0, 5);
    rect.BottomRight() += CSize(1, 1);
    EXPECT_EQ(rect, CRect(0, 5, 31, 41));

    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
    EXPECT_EQ(CRect(CPoint(1, 2), CPoint(3, 4)), CRect(1, 2, 3, 4));

    rect.SetRect(1, 1, 2, 2);
    EXPECT_EQ(rect, CRect(1, 1, 2, 2));
    rect.SetRectEmpty();
    EXPECT_TRUE(rect.IsRectNull());
    const RECT plain = {4, 3, 2, 1};
    rect.CopyRect(&plain);
    EXPECT_EQ(rect, CRect(4, 3, 2, 1));

    CRect difference;
    EXPECT_TRUE(difference.SubtractRect(CRect(0, 0, 10, 10), CRect(5, 0, 10, 10)));
    EXPECT_EQ(difference, CRect(0, 0, 5, 10));
}

TEST(PointAndSize, ArithmeticAndComparison)
{
    CPoint point(3, 4);
    point.Offset(1, 1);
    EXPECT_EQ(point, CPoint(4, 5));
    point += CSize(1, 2);
    EXPECT_EQ(point, CPoint(5, 7));
    point -= CPoint(5, 7);
    EXPECT_EQ(point, CPoint(0, 0));
    EXPECT_EQ(CPoint(10, 10) - CPoint(4, 3), CSize(6, 7)) << "two points differ by a size";
    EXPECT_EQ(CPoint(10, 10) - CSize(4, 3), CPoint(6, 7));
    EXPECT_EQ(CPoint(1, 1) + CPoint(2, 2), CPoint(3, 3));
    EXPECT_EQ(-CPoint(1, -2), CPoint(-1, 2));
    EXPECT_TRUE(CPoint(1, 2) != CPoint(2, 1));

    // Coordinates packed in a message are signed 16-bit values.
    EXPECT_EQ(CPoint(static_cast<LPARAM>(MAKELONG(0xFFFE, 0x0005))), CPoint(-2, 5));

    CSize size(3, 4);
    size += CSize(1, 1);
    EXPECT_EQ(size, CSize(4, 5));
    size -= CSize(4, 5);
    EXPECT_EQ(size, CSize(0, 0));
    EXPECT_EQ(CSize(1, 2) + CSize(3, 4), CSize(4, 6));
    EXPECT_EQ(-CSize(1, 2), CSize(-1, -2));
    EXPECT_EQ(CSize(1, 2) + CPoint(10, 10), CPoint(11, 12));
    EXPECT_TRUE(CSize(1, 2) != CSize(1, 3));
}

TEST(Rect, PassesWhereTheSystemTakesItsOwnTypes)
{
    CRect rect(0, 0, 10, 10);
    RECT* plain = rect;
    ::InflateRect(plain, 1, 1);
    EXPECT_EQ(rect, CRect(-1, -1, 11, 11));
    POINT* corner = &rect.TopLeft();
    EXPECT_EQ(corner, reinterpret_cast<POINT*>(&rect.left));
}

}  // namespace
