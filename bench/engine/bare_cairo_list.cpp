#include "bench/engine/bare_cairo_list.h"

#include "bench/engine/item_records.h"
#include "platform/toolkit/fonts.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <memory>
#include <vector>

namespace vorn::bench {
namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct ScaledFontDeleter {
    void operator()(cairo_scaled_font_t* f) const { cairo_scaled_font_destroy(f); }
};
using ScaledFontPtr = std::unique_ptr<cairo_scaled_font_t, ScaledFontDeleter>;

ScaledFontPtr makeFont(cairo_t* cr, const char* family, double size, bool bold) {
    cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    return ScaledFontPtr(cairo_scaled_font_reference(cairo_get_scaled_font(cr)));
}

/// Glyphs of one font for one page.
struct Batch {
    cairo_scaled_font_t* font;
    double ascent;
    std::vector<cairo_glyph_t> glyphs;

    void add(const std::string& text, double x, double top) {
        cairo_glyph_t* glyphs_ = nullptr;
        int count = 0;
        cairo_scaled_font_text_to_glyphs(font, x, top + ascent, text.data(),
                                         static_cast<int>(text.size()), &glyphs_, &count, nullptr,
                                         nullptr, nullptr);
        glyphs.insert(glyphs.end(), glyphs_, glyphs_ + count);
        cairo_glyph_free(glyphs_);
    }
    void show(cairo_t* cr) {
        cairo_set_scaled_font(cr, font);
        cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
        glyphs.clear();
    }
};

} // namespace

int writeBareCairoList(int items, const ListGeometry& g, const std::string& path) {
    toolkit::ensureFonts();
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_pdf_surface_create(path.c_str(), 612, 792));
    std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr.get(), options);
    cairo_font_options_destroy(options);

    ScaledFontPtr title = makeFont(cr.get(), "Tahoma", 15.75, false);
    ScaledFontPtr caption = makeFont(cr.get(), "Tahoma", 10, true);
    ScaledFontPtr body = makeFont(cr.get(), "Tahoma", 10, false);
    ScaledFontPtr small = makeFont(cr.get(), "Tahoma", 8.25, false);
    auto batchOf = [](cairo_scaled_font_t* f) {
        cairo_font_extents_t e;
        cairo_scaled_font_extents(f, &e);
        return Batch{f, e.ascent, {}};
    };
    std::vector<Batch> batches = {batchOf(title.get()), batchOf(caption.get()), batchOf(body.get()),
                                  batchOf(small.get())};
    const auto& columns = itemColumns();
    const int pages = (items + g.rowsPerPage - 1) / g.rowsPerPage;
    const double left = g.marginLeft;
    for (int page = 0; page < std::max(pages, 1); ++page) {
        batches[0].add("Item List Report", left + 36, 72 + 31.5);
        double x = left + 12.5;
        for (const ItemColumn& c : columns) {
            batches[1].add(c.friendlyName, x, 72 + 58.5);
            x += (c.fieldWidth + 45) / 20.0;
        }
        cairo_set_source_rgb(cr.get(), 0, 0, 0);
        cairo_set_line_width(cr.get(), 0.75);
        cairo_move_to(cr.get(), left, 72 + 58.5);
        cairo_line_to(cr.get(), left + 552, 72 + 58.5);
        cairo_stroke(cr.get());
        for (int r = 0; r < g.rowsPerPage; ++r) {
            const int row = page * g.rowsPerPage + r;
            if (row >= items)
                break;
            const double top = g.bodyTop + r * g.rowHeight;
            x = left + 12.5;
            for (std::size_t c = 0; c < columns.size(); ++c) {
                batches[2].add(itemText(row, static_cast<int>(c)), x, top);
                x += (columns[c].fieldWidth + 45) / 20.0;
            }
        }
        const double foot = g.footerTop + 4.5;
        batches[3].add("Printed", left + 31.5, foot);
        batches[3].add("05/12/2026 18:00:00", left + 58.5, foot);
        batches[3].add("Page", left + 440, foot);
        batches[3].add(std::to_string(page + 1), left + 466, foot);
        batches[3].add("of", left + 485, foot);
        batches[3].add(std::to_string(pages), left + 498, foot);
        for (Batch& b : batches)
            b.show(cr.get());
        cairo_show_page(cr.get());
    }
    cr.reset();
    cairo_surface_finish(surface.get());
    return std::max(pages, 1);
}

} // namespace vorn::bench
