#include "platform/engine/preview/zoom.h"

#include <gtest/gtest.h>

using namespace vorn::engine;

namespace {

constexpr PageSize kLetter{612, 792};
constexpr double kM = Zoom::kMargin;
constexpr double kPx = Zoom::kPixelsPerPoint;

} // namespace

TEST(Zoom, ScaleFollowsTheModeAndTheView) {
    const struct {
        const char* name;
        ZoomMode mode;
        PageSize page;
        double viewWidth, viewHeight, scale;
    } cases[] = {
        {"WidthFillsTheViewLessMargins", ZoomMode::FitWidth, kLetter, 612 + 2 * kM, 100, 1.0},
        {"WidthIgnoresHeight", ZoomMode::FitWidth, kLetter, 1224 + 2 * kM, 10, 2.0},
        {"WholePageLimitedByHeight", ZoomMode::WholePage, kLetter, 2000, 396 + 2 * kM, 0.5},
        {"WholePageLimitedByWidth", ZoomMode::WholePage, kLetter, 306 + 2 * kM, 2000, 0.5},
        {"LandscapeWholePage", ZoomMode::WholePage, PageSize{792, 612}, 792 + 2 * kM, 612 + 2 * kM,
         1.0},
        {"TinyViewKeepsAVisiblePage", ZoomMode::WholePage, kLetter, 5, 5, 0.05},
        {"FactorIgnoresTheView", ZoomMode::Factor, kLetter, 100, 100, 1.5 * kPx}};
    for (const auto& c : cases) {
        Zoom zoom;
        if (c.mode == ZoomMode::FitWidth)
            zoom.fitWidth();
        else if (c.mode == ZoomMode::Factor)
            zoom.setFactor(1.5);
        EXPECT_NEAR(zoom.scaleFor(c.page, c.viewWidth, c.viewHeight), c.scale, 1e-9) << c.name;
    }
}

TEST(Zoom, StepsFromWhatIsShownAndKeepsTheFactorWithinTheSteps) {
    const struct {
        const char* name;
        double currentScale;
        bool in;
        double factor;
    } cases[] = {{"InFromAStep", 1.0 * kPx, true, 1.25},
                 {"OutFromAStep", 1.0 * kPx, false, 0.75},
                 {"InFromAFittedScale", 0.9 * kPx, true, 1.0},
                 {"OutFromAFittedScale", 0.9 * kPx, false, 0.75},
                 {"InStopsAtTheLargest", 4.0 * kPx, true, 4.0},
                 {"OutStopsAtTheSmallest", 0.25 * kPx, false, 0.25},
                 {"InFromBelowTheSmallest", 0.1 * kPx, true, 0.25},
                 {"OutFromAboveTheLargest", 9.0 * kPx, false, 4.0}};
    for (const auto& c : cases) {
        Zoom zoom;
        if (c.in)
            zoom.zoomIn(c.currentScale);
        else
            zoom.zoomOut(c.currentScale);
        EXPECT_EQ(zoom.mode(), ZoomMode::Factor) << c.name;
        EXPECT_DOUBLE_EQ(zoom.factor(), c.factor) << c.name;
    }
    Zoom zoom;
    zoom.setFactor(100);
    EXPECT_DOUBLE_EQ(zoom.factor(), 4.0);
    zoom.setFactor(0.001);
    EXPECT_DOUBLE_EQ(zoom.factor(), 0.25);
}
