#include "platform/engine/preview/zoom.h"

#include <gtest/gtest.h>

using namespace vorn::engine;

namespace {

constexpr PageSize kLetter{612, 792};
constexpr double kM = Zoom::kMargin;
constexpr double kPx = Zoom::kPixelsPerPoint;

struct FitCase {
    const char* name;
    ZoomMode mode;
    PageSize page;
    double viewWidth;
    double viewHeight;
    double scale;
};

class ZoomFit : public ::testing::TestWithParam<FitCase> {};

struct StepCase {
    const char* name;
    double currentScale;
    bool in;
    double factor;
};

class ZoomStep : public ::testing::TestWithParam<StepCase> {};

} // namespace

TEST_P(ZoomFit, ScaleFollowsTheMode) {
    const FitCase& c = GetParam();
    Zoom zoom;
    if (c.mode == ZoomMode::FitWidth)
        zoom.fitWidth();
    else if (c.mode == ZoomMode::Factor)
        zoom.setFactor(1.5);
    EXPECT_NEAR(zoom.scaleFor(c.page, c.viewWidth, c.viewHeight), c.scale, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZoomFit,
    ::testing::Values(
        FitCase{"WidthFillsTheViewLessMargins", ZoomMode::FitWidth, kLetter, 612 + 2 * kM, 100,
                1.0},
        FitCase{"WidthIgnoresHeight", ZoomMode::FitWidth, kLetter, 1224 + 2 * kM, 10, 2.0},
        FitCase{"WholePageLimitedByHeight", ZoomMode::WholePage, kLetter, 2000, 396 + 2 * kM, 0.5},
        FitCase{"WholePageLimitedByWidth", ZoomMode::WholePage, kLetter, 306 + 2 * kM, 2000, 0.5},
        FitCase{"LandscapeWholePage", ZoomMode::WholePage, PageSize{792, 612}, 792 + 2 * kM,
                612 + 2 * kM, 1.0},
        FitCase{"TinyViewKeepsAVisiblePage", ZoomMode::WholePage, kLetter, 5, 5, 0.05},
        FitCase{"FactorIgnoresTheView", ZoomMode::Factor, kLetter, 100, 100, 1.5 * kPx}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_P(ZoomStep, MovesToTheNextStepFromWhatIsShown) {
    const StepCase& c = GetParam();
    Zoom zoom;
    if (c.in)
        zoom.zoomIn(c.currentScale);
    else
        zoom.zoomOut(c.currentScale);
    EXPECT_EQ(zoom.mode(), ZoomMode::Factor);
    EXPECT_DOUBLE_EQ(zoom.factor(), c.factor);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZoomStep,
    ::testing::Values(StepCase{"InFromAStep", 1.0 * kPx, true, 1.25},
                      StepCase{"OutFromAStep", 1.0 * kPx, false, 0.75},
                      StepCase{"InFromAFittedScale", 0.9 * kPx, true, 1.0},
                      StepCase{"OutFromAFittedScale", 0.9 * kPx, false, 0.75},
                      StepCase{"InStopsAtTheLargest", 4.0 * kPx, true, 4.0},
                      StepCase{"OutStopsAtTheSmallest", 0.25 * kPx, false, 0.25},
                      StepCase{"InFromBelowTheSmallest", 0.1 * kPx, true, 0.25},
                      StepCase{"OutFromAboveTheLargest", 9.0 * kPx, false, 4.0}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Zoom, FactorIsKeptWithinTheSteps) {
    Zoom zoom;
    zoom.setFactor(100);
    EXPECT_DOUBLE_EQ(zoom.factor(), 4.0);
    zoom.setFactor(0.001);
    EXPECT_DOUBLE_EQ(zoom.factor(), 0.25);
}
