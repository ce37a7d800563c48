#include "platform/engine/preview/zoom.h"

#include <algorithm>
#include <array>

namespace vorn::engine {
namespace {

constexpr std::array kSteps = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
// A fitted scale that lies within this of a step counts as that step, so that
// zooming from it moves visibly.
constexpr double kSameStep = 1e-3;
// Fitting never shrinks a page to nothing in a tiny window.
constexpr double kSmallestFittedScale = 0.05;

} // namespace

void Zoom::setFactor(double factor) noexcept {
    mode_ = ZoomMode::Factor;
    factor_ = std::clamp(factor, kSteps.front(), kSteps.back());
}

void Zoom::zoomIn(double currentScale) noexcept {
    const double current = currentScale / kPixelsPerPoint;
    const auto next = std::find_if(kSteps.begin(), kSteps.end(),
                                   [&](double step) { return step > current + kSameStep; });
    setFactor(next == kSteps.end() ? kSteps.back() : *next);
}

void Zoom::zoomOut(double currentScale) noexcept {
    const double current = currentScale / kPixelsPerPoint;
    const auto next = std::find_if(kSteps.rbegin(), kSteps.rend(),
                                   [&](double step) { return step < current - kSameStep; });
    setFactor(next == kSteps.rend() ? kSteps.front() : *next);
}

double Zoom::scaleFor(PageSize page, double viewWidth, double viewHeight) const noexcept {
    if (mode_ == ZoomMode::Factor || page.width <= 0.0 || page.height <= 0.0)
        return factor_ * kPixelsPerPoint;
    const double byWidth = (viewWidth - 2 * kMargin) / page.width;
    const double fitted = mode_ == ZoomMode::FitWidth
                              ? byWidth
                              : std::min(byWidth, (viewHeight - 2 * kMargin) / page.height);
    return std::max(fitted, kSmallestFittedScale);
}

} // namespace vorn::engine
