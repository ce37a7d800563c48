#include "platform/engine/render/pango_text_shaper.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/render/gobject_ptr.h"
#include "platform/engine/render/windows_font_metrics.h"
#include "platform/toolkit/fonts.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <array>
#include <cmath>

namespace vorn::engine {
namespace {

struct FontDescriptionDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct FontOptionsDeleter {
    void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};
struct ScaledFontDeleter {
    void operator()(cairo_scaled_font_t* f) const { cairo_scaled_font_destroy(f); }
};

constexpr std::size_t kChunkSize = 1 << 20;

/// Decodes one UTF-8 character at `at` and moves past it; bad bytes read as U+FFFD.
char32_t nextCodePoint(std::string_view s, std::size_t& at) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = byte(at);
    if (c < 0x80) {
        ++at;
        return c;
    }
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (extra < 0 || at + static_cast<std::size_t>(extra) >= s.size()) {
        ++at;
        return 0xFFFD;
    }
    char32_t cp = c & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        unsigned char next = byte(at + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    at += static_cast<std::size_t>(extra) + 1;
    return cp;
}

} // namespace

struct PangoTextShaper::Impl {
    GObjectPtr<PangoFontMap> fontMap;
    GObjectPtr<PangoContext> context;
    std::unique_ptr<cairo_font_options_t, FontOptionsDeleter> options;
};

struct PangoTextShaper::Glyph {
    std::uint32_t index = 0;
    float advance = 0;
    FontId face = 0; // the face that draws it: this one, or a fallback
    bool known = false;
};

struct PangoTextShaper::Face {
    FontId id = 0;
    std::unique_ptr<PangoFontDescription, FontDescriptionDeleter> description;
    GObjectPtr<PangoFontset> fallbacks; // loaded on first need
    GObjectPtr<PangoFont> font;
    std::unique_ptr<cairo_scaled_font_t, ScaledFontDeleter> scaled;
    cairo_matrix_t matrix{};
    FontMetrics metrics;
    std::array<Glyph, 256> latin{};
    std::unordered_map<char32_t, Glyph> others;

    /// The glyph of `cp` in this face; index 0 when the face has none.
    Glyph& ownGlyph(char32_t cp) {
        Glyph& slot = cp < latin.size() ? latin[cp] : others[cp];
        if (!slot.known) {
            slot.face = id;
            char utf8[8];
            int length = g_unichar_to_utf8(static_cast<gunichar>(cp), utf8);
            cairo_glyph_t* glyphs = nullptr;
            int count = 0;
            if (cairo_scaled_font_text_to_glyphs(scaled.get(), 0, 0, utf8, length, &glyphs, &count,
                                                 nullptr, nullptr,
                                                 nullptr) == CAIRO_STATUS_SUCCESS &&
                count > 0) {
                cairo_text_extents_t extents;
                cairo_scaled_font_glyph_extents(scaled.get(), glyphs, 1, &extents);
                slot.index = static_cast<std::uint32_t>(glyphs[0].index);
                slot.advance = static_cast<float>(extents.x_advance);
            }
            cairo_glyph_free(glyphs);
            slot.known = true;
        }
        return slot;
    }
};

PangoTextShaper::Key PangoTextShaper::keyOf(FontId font, std::string_view text) noexcept {
    return Key{text, font, std::hash<std::string_view>()(text) * 31u + font};
}

PangoTextShaper::PangoTextShaper() : impl_(std::make_unique<Impl>()) {
    toolkit::ensureFonts();
    impl_->fontMap.reset(pango_cairo_font_map_new());
    pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(impl_->fontMap.get()), 72.0);
    impl_->context.reset(pango_font_map_create_context(impl_->fontMap.get()));
    impl_->options.reset(cairo_font_options_create());
    cairo_font_options_set_hint_metrics(impl_->options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(impl_->options.get(), CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(impl_->context.get(), impl_->options.get());
    pango_cairo_context_set_resolution(impl_->context.get(), 72.0);
    pango_context_set_round_glyph_positions(impl_->context.get(), FALSE);
}

PangoTextShaper::~PangoTextShaper() = default;

FontId PangoTextShaper::font(const FontStyle& style) {
    for (const auto& [known, id] : styles_)
        if (known == style)
            return id;
    std::unique_ptr<PangoFontDescription, FontDescriptionDeleter> description(
        pango_font_description_new());
    pango_font_description_set_family(description.get(), style.name.c_str());
    pango_font_description_set_size(description.get(),
                                    static_cast<gint>(std::lround(style.size * PANGO_SCALE)));
    // Bold is the family's own bold face (Wine's tahomabd.ttf for Tahoma), with its
    // own widths, never the regular face emboldened.
    pango_font_description_set_weight(description.get(),
                                      style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    auto face = std::make_unique<Face>();
    face->id = static_cast<FontId>(faces_.size());
    face->description.reset(pango_font_description_copy(description.get()));
    face->font.reset(
        pango_font_map_load_font(impl_->fontMap.get(), impl_->context.get(), description.get()));
    if (!face->font)
        throw EngineError(error_code::kFail, "No font can stand for " + style.name);
    cairo_scaled_font_t* scaled =
        pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(face->font.get()));
    if (!scaled || cairo_scaled_font_status(scaled) != CAIRO_STATUS_SUCCESS)
        throw EngineError(error_code::kFail, "The font " + style.name + " cannot be used");
    face->scaled.reset(cairo_scaled_font_reference(scaled));
    cairo_scaled_font_get_font_matrix(scaled, &face->matrix);
    // Text is placed and spaced as the original platform did, from the font's
    // Windows metrics; cairo's extents follow the typographic ones when the font
    // asks for them, and sit a quarter em higher with lines an em apart for Tahoma.
    if (auto tables = readWindowsFontTables(scaled)) {
        face->metrics = windowsMetrics(*tables, face->matrix.yy);
    } else {
        cairo_font_extents_t extents;
        cairo_scaled_font_extents(scaled, &extents);
        face->metrics = {extents.ascent, extents.descent, extents.height};
    }
    if (faces_.size() >= 0xFFFF)
        throw EngineError(error_code::kFail, "Too many fonts in one report");
    faces_.push_back(std::move(face));
    styles_.emplace_back(style, faces_.back()->id);
    return faces_.back()->id;
}

const PangoTextShaper::Glyph& PangoTextShaper::glyph(Face& face, char32_t cp) {
    Glyph& own = face.ownGlyph(cp);
    if (own.index != 0 || own.face != face.id || cp < 0x20)
        return own;
    // The face lacks the character: the first font of its fallback set that has it
    // draws it, as pango would choose.
    if (!face.fallbacks)
        face.fallbacks.reset(pango_font_map_load_fontset(impl_->fontMap.get(), impl_->context.get(),
                                                         face.description.get(),
                                                         pango_language_get_default()));
    if (!face.fallbacks)
        return own;
    GObjectPtr<PangoFont> font(
        pango_fontset_get_font(face.fallbacks.get(), static_cast<guint>(cp)));
    if (!font || !pango_font_has_char(font.get(), static_cast<gunichar>(cp)))
        return own;
    std::unique_ptr<PangoFontDescription, FontDescriptionDeleter> described(
        pango_font_describe(font.get()));
    std::unique_ptr<char, decltype(&g_free)> name(pango_font_description_to_string(described.get()),
                                                  g_free);
    auto known = fallbackFaces_.find(name.get());
    FontId id;
    if (known != fallbackFaces_.end()) {
        id = known->second;
    } else {
        auto fallback = std::make_unique<Face>();
        fallback->id = static_cast<FontId>(faces_.size());
        cairo_scaled_font_t* scaled =
            pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(font.get()));
        if (!scaled || cairo_scaled_font_status(scaled) != CAIRO_STATUS_SUCCESS ||
            faces_.size() >= 0xFFFF)
            return own;
        fallback->scaled.reset(cairo_scaled_font_reference(scaled));
        cairo_scaled_font_get_font_matrix(scaled, &fallback->matrix);
        fallback->metrics = face.metrics;
        fallback->font = std::move(font);
        id = fallback->id;
        faces_.push_back(std::move(fallback));
        fallbackFaces_.emplace(name.get(), id);
    }
    Glyph found = faces_[id]->ownGlyph(cp);
    if (found.index != 0)
        own = found; // remembered: the next lookup of the character goes straight there
    return own;
}

FontMetrics PangoTextShaper::metrics(FontId font) const {
    return faces_.at(font)->metrics;
}

double PangoTextShaper::measure(FontId font, std::string_view text) {
    auto found = lookup_.find(keyOf(font, text));
    if (found != lookup_.end())
        return runs_[found->second].width;
    return measureGlyphs(font, text);
}

double PangoTextShaper::measureGlyphs(FontId font, std::string_view text) {
    Face& face = *faces_.at(font);
    double width = 0;
    for (std::size_t at = 0; at < text.size();)
        width += glyph(face, nextCodePoint(text, at)).advance;
    return width;
}

std::string_view PangoTextShaper::keep(std::string_view text, std::uint32_t& chunk,
                                       std::uint32_t& offset) {
    if (textChunks_.empty() ||
        textChunks_.back().size() + text.size() > textChunks_.back().capacity()) {
        textChunks_.emplace_back();
        textChunks_.back().reserve(std::max(kChunkSize, text.size()));
    }
    std::string& last = textChunks_.back();
    chunk = static_cast<std::uint32_t>(textChunks_.size() - 1);
    offset = static_cast<std::uint32_t>(last.size());
    last.append(text);
    return std::string_view(last).substr(offset, text.size());
}

RunId PangoTextShaper::shape(FontId font, std::string_view text) {
    Key key = keyOf(font, text);
    auto found = lookup_.find(key);
    if (found != lookup_.end())
        return found->second;
    return addRun(font, text, static_cast<float>(measureGlyphs(font, text)), key);
}

RunId PangoTextShaper::addRun(FontId font, std::string_view text, float width, Key key) {
    Run run{};
    run.font = font;
    run.width = width;
    key.text = keep(text, run.chunk, run.textOffset);
    run.textLength = static_cast<std::uint32_t>(text.size());
    runs_.push_back(run);
    auto id = static_cast<RunId>(runs_.size() - 1);
    lookup_.emplace(key, id);
    return id;
}

void PangoTextShaper::keepRunsOf(std::vector<TextItem>& texts) {
    std::vector<Run> oldRuns;
    oldRuns.swap(runs_);
    std::deque<std::string> oldChunks;
    oldChunks.swap(textChunks_);
    std::unordered_map<Key, RunId, KeyHash>().swap(lookup_);
    std::unordered_map<RunId, RunId> moved;
    for (TextItem& item : texts) {
        auto [at, added] = moved.try_emplace(item.run, 0);
        if (added) {
            const Run& r = oldRuns.at(item.run);
            const std::string_view text =
                std::string_view(oldChunks[r.chunk]).substr(r.textOffset, r.textLength);
            at->second = addRun(r.font, text, r.width, keyOf(r.font, text));
        }
        item.run = at->second;
    }
}

void PangoTextShaper::appendGlyphs(RunId run, double x, double y, std::vector<cairo_glyph_t>& out,
                                   const FallbackGlyphs& fallbackOut) {
    const Run& r = runs_.at(run);
    Face& face = *faces_[r.font];
    const std::string_view text =
        std::string_view(textChunks_[r.chunk]).substr(r.textOffset, r.textLength);
    for (std::size_t at = 0; at < text.size();) {
        const Glyph& g = glyph(face, nextCodePoint(text, at));
        if (g.face == r.font)
            out.push_back({g.index, x, y});
        else
            fallbackOut(g.face).push_back({g.index, x, y});
        x += g.advance;
    }
}

double PangoTextShaper::width(RunId run) const {
    return runs_.at(run).width;
}

std::string_view PangoTextShaper::text(RunId run) const {
    const Run& r = runs_.at(run);
    return std::string_view(textChunks_[r.chunk]).substr(r.textOffset, r.textLength);
}

FontId PangoTextShaper::fontOf(RunId run) const {
    return runs_.at(run).font;
}

void PangoTextShaper::selectFont(cairo_t* cr, FontId font) const {
    const Face& face = *faces_.at(font);
    cairo_set_font_face(cr, cairo_scaled_font_get_font_face(face.scaled.get()));
    cairo_set_font_matrix(cr, &face.matrix);
    cairo_set_font_options(cr, impl_->options.get());
}

void PangoTextShaper::dropLookup() {
    std::unordered_map<Key, RunId, KeyHash>().swap(lookup_);
}

} // namespace vorn::engine
