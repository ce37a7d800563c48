// The real fonts: pango finds the face a design's font name stands for (Wine's
// Tahoma, Liberation Sans for Arial) at 72 points per inch with hinting off, and
// cairo gives each character its glyph and advance, looked up once per character
// and font. Lines are placed and spaced by the face's Windows metrics. A run
// keeps only its text and width, once per distinct (font, text): its glyphs, with
// unrounded positions, are produced again when a page is drawn, which costs less
// than holding them for thousands of pages.
#pragma once

#include "platform/engine/layout/page_items.h"
#include "platform/engine/layout/text_shaper.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <cairo.h>

namespace vorn::engine {

class PangoTextShaper : public TextShaper {
public:
    PangoTextShaper();
    ~PangoTextShaper() override;
    PangoTextShaper(const PangoTextShaper&) = delete;
    PangoTextShaper& operator=(const PangoTextShaper&) = delete;

    FontId font(const FontStyle& style) override;
    FontMetrics metrics(FontId font) const override;
    double measure(FontId font, std::string_view text) override;
    RunId shape(FontId font, std::string_view text) override;
    double width(RunId run) const override;
    std::string_view text(RunId run) const override;

    /// Where glyphs that another face draws go: the list for that face.
    using FallbackGlyphs = std::function<std::vector<cairo_glyph_t>&(FontId face)>;
    /// Appends the glyphs of `run`, set from `x` on the baseline `y`, to `out`;
    /// characters that the run's font lacks come from a fallback face, into the
    /// list `fallback` gives for that face (select it with selectFont).
    void appendGlyphs(RunId run, double x, double y, std::vector<cairo_glyph_t>& out,
                      const FallbackGlyphs& fallback);
    FontId fontOf(RunId run) const;
    /// Makes `font` the current font of `cr`.
    void selectFont(cairo_t* cr, FontId font) const;
    /// Forgets which texts were shaped (the runs stay): layout is over and the
    /// lookup table is only dead weight while pages are painted.
    void dropLookup();
    /// How many runs are kept.
    std::size_t runCount() const { return runs_.size(); }
    /// Forgets every run but those of `texts`, which get their new ids: a report
    /// laid out page by page keeps the runs of the pages it holds, not of all.
    void keepRunsOf(std::vector<TextItem>& texts);

private:
    struct Glyph;
    struct Face;
    struct Run {
        std::uint32_t chunk;
        std::uint32_t textOffset;
        std::uint32_t textLength;
        float width;
        FontId font;
    };
    // The hash travels with the key: the table keeps no hash codes of its own
    // for a hasher like this one, so it would hash again the text of every entry
    // it steps past in a bucket, for each of the many texts a long report looks up.
    struct Key {
        std::string_view text;
        FontId font;
        std::size_t hash;
        bool operator==(const Key& other) const {
            return hash == other.hash && font == other.font && text == other.text;
        }
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const noexcept { return key.hash; }
    };
    static Key keyOf(FontId font, std::string_view text) noexcept;
    struct Impl;

    RunId addRun(FontId font, std::string_view text, float width, Key key);
    std::string_view keep(std::string_view text, std::uint32_t& chunk, std::uint32_t& offset);
    const Glyph& glyph(Face& face, char32_t cp);
    double measureGlyphs(FontId font, std::string_view text);

    std::unique_ptr<Impl> impl_;
    std::vector<std::unique_ptr<Face>> faces_;
    std::vector<std::pair<FontStyle, FontId>> styles_;
    std::unordered_map<std::string, FontId> fallbackFaces_; // by pango's description
    std::deque<std::string> textChunks_;                    // never moves once written
    std::vector<Run> runs_;
    std::unordered_map<Key, RunId, KeyHash> lookup_;
};

} // namespace vorn::engine
