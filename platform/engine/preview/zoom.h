// How large the preview draws a page: a fixed magnification, or fitted to the
// width of the window or wholly into it. Pure arithmetic, kept apart from the
// widgets so that it can be checked against tables.
#pragma once

#include "platform/engine/page_document.h"

namespace vorn::engine {

enum class ZoomMode { Factor, FitWidth, WholePage };

class Zoom {
public:
    /// Free space kept around the page, in pixels.
    static constexpr double kMargin = 12.0;
    /// Screen pixels per point at a magnification of 1 (a 96 dpi screen).
    static constexpr double kPixelsPerPoint = 96.0 / 72.0;

    ZoomMode mode() const noexcept { return mode_; }
    /// The magnification of Factor mode (1 is the paper's real size).
    double factor() const noexcept { return factor_; }

    void fitWidth() noexcept { mode_ = ZoomMode::FitWidth; }
    void wholePage() noexcept { mode_ = ZoomMode::WholePage; }
    /// Sets a fixed magnification, kept within the smallest and largest step.
    void setFactor(double factor) noexcept;
    /// Next step up or down from `currentScale` (pixels per point as shown now).
    void zoomIn(double currentScale) noexcept;
    void zoomOut(double currentScale) noexcept;

    /// Pixels per point for a page of `page` in a view of the given size.
    double scaleFor(PageSize page, double viewWidth, double viewHeight) const noexcept;

private:
    ZoomMode mode_ = ZoomMode::WholePage;
    double factor_ = 1.0;
};

} // namespace vorn::engine
