// Makes the fonts the designs name resolve to the faces this product ships with.
#pragma once

namespace vorn::toolkit {

/// Registers Wine's Tahoma (regular and bold) with fontconfig when "Tahoma" is not
/// already known, so pango and GTK stop substituting DejaVu Sans for it. Only the
/// two files are added: adding Wine's whole font folder would also replace
/// "Symbol" and others. Call before the first pango or GTK use; repeated calls are
/// cheap.
void ensureFonts();

} // namespace vorn::toolkit
