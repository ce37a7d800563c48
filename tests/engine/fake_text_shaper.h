// A text shaper with made-up metrics, so layout can be checked to the point:
// every byte is half the font size wide; ascent 0.8, descent 0.2 and line height
// 1.2 times the size.
#pragma once

#include "platform/engine/layout/text_shaper.h"

#include <map>
#include <string>
#include <vector>

namespace vorn::engine::testing {

class FakeTextShaper : public TextShaper {
public:
    FontId font(const FontStyle& style) override {
        for (std::size_t i = 0; i < fonts.size(); ++i)
            if (fonts[i] == style)
                return static_cast<FontId>(i);
        fonts.push_back(style);
        return static_cast<FontId>(fonts.size() - 1);
    }
    FontMetrics metrics(FontId f) const override {
        const double size = fonts.at(f).size;
        return {0.8 * size, 0.2 * size, 1.2 * size};
    }
    double measure(FontId f, std::string_view text) override {
        return 0.5 * fonts.at(f).size * static_cast<double>(text.size());
    }
    RunId shape(FontId f, std::string_view text) override {
        auto key = std::make_pair(f, std::string(text));
        auto it = ids_.find(key);
        if (it != ids_.end())
            return it->second;
        runs_.push_back(key);
        return ids_[key] = static_cast<RunId>(runs_.size() - 1);
    }
    double width(RunId run) const override {
        return 0.5 * fonts.at(runs_.at(run).first).size *
               static_cast<double>(runs_.at(run).second.size());
    }
    std::string_view text(RunId run) const override { return runs_.at(run).second; }

    std::vector<FontStyle> fonts;

private:
    std::vector<std::pair<FontId, std::string>> runs_;
    std::map<std::pair<FontId, std::string>, RunId> ids_;
};

} // namespace vorn::engine::testing
