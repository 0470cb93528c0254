#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

#include "tests/support/DebugOutputCapture.h"
#include "toolkit/Application.h"

TEST(GdiCacheSharing, EachListMakesItsKindAndSharesAColourUntilTheLastRelease)
{
    HPEN pen = application.acquirePen(0x0000ff);
    HPEN dotPen = application.acquireDotPen(0x0000ff);
    HBRUSH brush = application.acquireBrush(0x0000ff);
    EXPECT_EQ(pen, application.acquirePen(0x0000ff));
    LOGPEN solid = {}, dotted = {};
    LOGBRUSH fill = {};
    GetObjectA(pen, sizeof solid, &solid);
    GetObjectA(dotPen, sizeof dotted, &dotted);
    GetObjectA(brush, sizeof fill, &fill);
    EXPECT_EQ(static_cast<UINT>(PS_SOLID), solid.lopnStyle);
    EXPECT_EQ(static_cast<UINT>(PS_DOT), dotted.lopnStyle);
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), fill.lbStyle);
    EXPECT_EQ(0x0000ffu, solid.lopnColor & dotted.lopnColor & fill.lbColor);
    application.releasePen(pen);
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), GetObjectType(pen));
    application.releasePen(pen);
    application.releaseDotPen(dotPen);
    application.releaseBrush(brush);
    EXPECT_EQ(0u, GetObjectType(pen));
    EXPECT_EQ(nullptr, application.penList());
}

TEST(GdiCacheSharing, ReleasingAMiddleEntryKeepsBothLinksIntact)
{
    GdiCacheEntry* list = nullptr;
    HGDIOBJ oldest = gdiCacheAcquire(list, GdiObjectKind::Brush, 1);
    HGDIOBJ middle = gdiCacheAcquire(list, GdiObjectKind::Brush, 2);
    HGDIOBJ newest = gdiCacheAcquire(list, GdiObjectKind::Brush, 3);
    EXPECT_TRUE(gdiCacheRelease(list, GdiObjectKind::Brush, middle));
    ASSERT_EQ(2, gdiCacheCount(list));
    EXPECT_EQ(oldest, list->next->handle);
    EXPECT_EQ(list, list->next->previous);
    EXPECT_TRUE(gdiCacheRelease(list, GdiObjectKind::Brush, newest));
    EXPECT_EQ(nullptr, list->previous);
    EXPECT_TRUE(gdiCacheRelease(list, GdiObjectKind::Brush, oldest));
    EXPECT_EQ(nullptr, list);
}

TEST(GdiCacheMisuse, ReleasingIntoTheWrongListWritesItsMessageAndChangesNothing)
{
    HPEN pen = application.acquirePen(0x808080);
    HBRUSH brush = application.acquireBrush(0x808080);
    testsupport::DebugOutputCapture capture;
    application.releasePen(reinterpret_cast<HPEN>(brush));
    application.releaseDotPen(pen);
    application.releaseBrush(reinterpret_cast<HBRUSH>(pen));
    EXPECT_EQ(std::vector<std::string>({ "DeletePen called for non-existing handle\n",
                  "DeleteDotPen called for non-existing handle\n",
                  "DeleteBrush called for non-existing handle\n" }),
        capture.writes());
    EXPECT_EQ(1, application.penList()->referenceCount);
    EXPECT_EQ(1, application.brushList()->referenceCount);
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(brush));
    application.releasePen(pen);
    application.releaseBrush(brush);
}

TEST(GdiCacheLeakReport, WritesOneLinePerEntryNewestFirstAndDeletesThem)
{
    GdiCacheEntry* list = nullptr;
    HGDIOBJ older = gdiCacheAcquire(list, GdiObjectKind::Brush, 0x404040);
    gdiCacheAcquire(list, GdiObjectKind::Brush, 0x404040);
    HGDIOBJ newest = gdiCacheAcquire(list, GdiObjectKind::Brush, 0);
    std::ostringstream expected;
    expected << std::hex << "Undeleted graphics resource: Brush=0" << reinterpret_cast<uintptr_t>(newest)
             << ", color=0000000, refcount=1\nUndeleted graphics resource: Brush=0"
             << reinterpret_cast<uintptr_t>(older) << ", color=0404040, refcount=2\n";
    testsupport::DebugOutputCapture capture;
    gdiCacheReportLeaks(list, GdiObjectKind::Brush);
    EXPECT_EQ(2u, capture.writes().size());
    EXPECT_EQ(expected.str(), capture.text());
    EXPECT_EQ(nullptr, list);
    EXPECT_EQ(0u, GetObjectType(newest));
}
