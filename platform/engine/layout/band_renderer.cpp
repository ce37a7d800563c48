#include "platform/engine/layout/band_renderer.h"

#include "platform/engine/layout/line_breaker.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace vorn::engine {
namespace {

constexpr double kPointsPerTwip = 1.0 / 20.0;
constexpr double kEpsilon = 1e-6;

double pt(double twips) {
    return twips * kPointsPerTwip;
}

} // namespace

BandRenderer::BandRenderer(TextShaper& shaper, PageList& document)
    : shaper_(shaper), document_(document) {}

void BandRenderer::render(const Section& section, Band& band) {
    band.items.clear();
    const double designHeight = pt(section.height);
    growths_.clear();
    // How far the lowest-reaching control's bottom moved; the band follows it.
    std::optional<double> maxDelta;

    // Controls are visited top-down so that a grown control is known before the
    // controls below it are placed.
    order_.clear();
    DesignOrder designOrder = 0;
    for (const auto& c : section.controls) {
        if (c->visible)
            order_.emplace_back(c.get(), designOrder);
        if (designOrder < std::numeric_limits<DesignOrder>::max())
            ++designOrder;
    }
    auto topOf = [](const Control* c) {
        return c->kind == ControlKind::Line ? std::min(c->y1, c->y2) : c->top;
    };
    std::stable_sort(order_.begin(), order_.end(),
                     [&](const auto& a, const auto& b) { return topOf(a.first) < topOf(b.first); });

    for (const auto& [c, order] : order_) {
        const double designTop = pt(topOf(c));
        double shift = 0;
        for (const Growth& g : growths_)
            if (g.designBottom <= designTop + kEpsilon)
                shift = std::max(shift, g.offset);
        const double top = designTop + shift;

        if (c->kind == ControlKind::Line) {
            band.items.lines.push_back(
                {static_cast<float>(pt(c->x1)), static_cast<float>(pt(c->y1) + shift),
                 static_cast<float>(pt(c->x2)), static_cast<float>(pt(c->y2) + shift),
                 document_.colorIndex(c->foreColor), order});
            maxDelta = std::max(maxDelta.value_or(shift), shift);
            continue;
        }
        const double designHeightOfControl = pt(c->height);
        double height = designHeightOfControl;
        if (c->kind == ControlKind::Picture) {
            if (!c->picture.empty())
                band.items.pictures.push_back(
                    {static_cast<float>(pt(c->left)), static_cast<float>(top),
                     static_cast<float>(pt(c->width)), static_cast<float>(height),
                     document_.pictureIndex(c->picture), order});
        } else if (c->kind == ControlKind::CheckBox) {
            addCheckBox(*c, top, order, band);
        } else {
            height = layoutText(*c, top, order, band);
        }
        const double delta = shift + height - designHeightOfControl;
        if (delta > kEpsilon)
            growths_.push_back({designTop + designHeightOfControl, delta});
        maxDelta = std::max(maxDelta.value_or(delta), delta);
    }
    double change = maxDelta.value_or(0.0);
    if (!section.canGrow)
        change = std::min(change, 0.0);
    if (!section.canShrink)
        change = std::max(change, 0.0);
    band.height = std::max(0.0, designHeight + change);
}

double BandRenderer::layoutText(const Control& c, double top, DesignOrder order, Band& band) {
    const double left = pt(c.left);
    const double width = pt(c.width);
    const double designHeight = pt(c.height);
    const FontId font = shaper_.font(c.font);
    const FontMetrics metrics = shaper_.metrics(font);

    if (c.pageValue != PageValue::None) {
        if (c.backColor)
            band.items.boxes.push_back({static_cast<float>(left), static_cast<float>(top),
                                        static_cast<float>(width), static_cast<float>(designHeight),
                                        document_.colorIndex(*c.backColor), order});
        band.items.pageValues.push_back(
            {static_cast<float>(left), static_cast<float>(top), static_cast<float>(width),
             static_cast<float>(metrics.lineHeight), font, document_.colorIndex(c.foreColor),
             c.alignment, c.pageValue, order});
        return designHeight;
    }

    const std::string& text = c.shownText();
    if (text.empty() && c.canShrink)
        return 0;

    std::vector<std::string_view>& lines = lines_;
    lines.clear();
    // Most texts fit on one line: their run, needed for drawing anyway, settles it.
    std::optional<RunId> wholeRun;
    if (!text.empty()) {
        if (text.find_first_of("\r\n") == std::string::npos) {
            wholeRun = shaper_.shape(font, text);
            if (shaper_.width(*wholeRun) > width + kEpsilon)
                wholeRun.reset();
        }
        if (wholeRun)
            lines.emplace_back(text);
        else
            lines = breakLines(text, width,
                               [&](std::string_view s) { return shaper_.measure(font, s); });
    }

    double height = designHeight;
    std::size_t shown = lines.size();
    const double needed = static_cast<double>(lines.size()) * metrics.lineHeight;
    if (lines.size() > 1 && needed > designHeight + kEpsilon) {
        if (c.canGrow) {
            // The first line always prints, so a control holds at least one line
            // however low it was made (a field added at run time may have no
            // height): only the lines beyond that room move what lies below.
            const double room = std::max(designHeight, metrics.lineHeight);
            height = designHeight + std::max(0.0, needed - room);
        } else {
            // What does not fit below stays out; the first line always prints.
            shown = std::max<std::size_t>(
                1, static_cast<std::size_t>((designHeight + kEpsilon) / metrics.lineHeight));
        }
    }

    if (c.backColor)
        band.items.boxes.push_back({static_cast<float>(left), static_cast<float>(top),
                                    static_cast<float>(width), static_cast<float>(height),
                                    document_.colorIndex(*c.backColor), order});
    const std::uint8_t color = document_.colorIndex(c.foreColor);
    for (std::size_t i = 0; i < shown; ++i) {
        if (lines[i].empty())
            continue;
        const RunId run = wholeRun ? *wholeRun : shaper_.shape(font, lines[i]);
        double x = left;
        if (c.alignment != Alignment::Left) {
            const double slack = width - shaper_.width(run);
            x += c.alignment == Alignment::Center ? slack / 2 : slack;
        }
        band.items.texts.push_back(
            {static_cast<float>(x),
             static_cast<float>(top + static_cast<double>(i) * metrics.lineHeight),
             static_cast<float>(metrics.lineHeight), run, font, color, order});
    }
    return height;
}

void BandRenderer::addCheckBox(const Control& c, double top, DesignOrder order, Band& band) {
    const FontId font = shaper_.font(c.font);
    const FontMetrics metrics = shaper_.metrics(font);
    const double size = std::min(metrics.ascent, pt(c.height));
    const double x = pt(c.left);
    const auto color = document_.colorIndex(c.foreColor);
    auto line = [&](double x1, double y1, double x2, double y2) {
        band.items.lines.push_back({static_cast<float>(x1), static_cast<float>(y1),
                                    static_cast<float>(x2), static_cast<float>(y2), color, order});
    };
    const double y = top + (metrics.ascent - size);
    line(x, y, x + size, y);
    line(x + size, y, x + size, y + size);
    line(x + size, y + size, x, y + size);
    line(x, y + size, x, y);
    if (c.checked) {
        line(x + size * 0.2, y + size * 0.5, x + size * 0.45, y + size * 0.8);
        line(x + size * 0.45, y + size * 0.8, x + size * 0.85, y + size * 0.2);
    }
    if (!c.caption.empty()) {
        const double textLeft = x + size + size * 0.4;
        const double room = pt(c.left + c.width) - textLeft;
        auto lines = breakLines(c.caption, room,
                                [&](std::string_view s) { return shaper_.measure(font, s); });
        if (!lines.empty())
            band.items.texts.push_back({static_cast<float>(textLeft), static_cast<float>(top),
                                        static_cast<float>(metrics.lineHeight),
                                        shaper_.shape(font, lines.front()), font, color, order});
    }
}

} // namespace vorn::engine
