#include "platform/framework/object.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/framework/archive.h"

// A small hierarchy: dynamic type information only, dynamic creation, and
// serialisable classes with a plain and a versionable schema.
class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CSquare : public CShape {
    DECLARE_SERIAL(CSquare)
};
IMPLEMENT_SERIAL(CSquare, CShape, 4)

class CBigSquare : public CSquare {
    DECLARE_SERIAL(CBigSquare)
};
IMPLEMENT_SERIAL(CBigSquare, CSquare, VERSIONABLE_SCHEMA | 2)

namespace {

TEST(CObjectTest, IsKindOfFollowsTheBaseClassChain)
{
    const CRuntimeClass* classes[] = {RUNTIME_CLASS(CObject), RUNTIME_CLASS(CShape), RUNTIME_CLASS(CCircle),
                                      RUNTIME_CLASS(CSquare), RUNTIME_CLASS(CBigSquare)};
    CShape shape;
    CCircle circle;
    CSquare square;
    CBigSquare big;
    const struct {
        const CObject* object;
        bool kinds[5];
    } cases[] = {
        {&shape, {true, true, false, false, false}},
        {&circle, {true, true, true, false, false}},
        {&square, {true, true, false, true, false}},
        {&big, {true, true, false, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object->GetRuntimeClass()->m_lpszClassName);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(c.kinds[i], c.object->IsKindOf(classes[i])) << classes[i]->m_lpszClassName;
    }
    EXPECT_EQ(RUNTIME_CLASS(CBigSquare), big.GetRuntimeClass());
    EXPECT_STREQ("CBigSquare", big.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CBigSquare)), RUNTIME_CLASS(CBigSquare)->m_nObjectSize);
}

TEST(CObjectTest, OnlyCreatableClassesCreateObjects)
{
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->CreateObject());
    std::unique_ptr<CObject> circle(RUNTIME_CLASS(CCircle)->CreateObject());
    ASSERT_NE(nullptr, circle);
    EXPECT_EQ(RUNTIME_CLASS(CCircle), circle->GetRuntimeClass());
    std::unique_ptr<CObject> square(RUNTIME_CLASS(CSquare)->CreateObject());
    ASSERT_NE(nullptr, square);
    EXPECT_TRUE(square->IsKindOf(RUNTIME_CLASS(CSquare)));
}

TEST(CObjectTest, SerialisableClassesAreFoundByExactName)
{
    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName("CSquare"));
    EXPECT_EQ(RUNTIME_CLASS(CBigSquare), CRuntimeClass::FromName("CBigSquare"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("csquare"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CCircle"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CShape"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(""));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));
}

TEST(CObjectTest, StoredSchemaLeavesOutTheVersionableFlag)
{
    EXPECT_EQ(4, RUNTIME_CLASS(CSquare)->GetStoredSchema());
    EXPECT_EQ(2, RUNTIME_CLASS(CBigSquare)->GetStoredSchema());
    EXPECT_TRUE(RUNTIME_CLASS(CBigSquare)->IsSerializable());
    EXPECT_FALSE(RUNTIME_CLASS(CCircle)->IsSerializable());
    CSquare square;
    CCircle circle;
    EXPECT_TRUE(square.IsSerializable());
    EXPECT_FALSE(circle.IsSerializable());
}

}  // namespace
