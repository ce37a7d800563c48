#include "platform/toolkit/fonts.h"

#include <fontconfig/fontconfig.h>

#include <cstring>
#include <memory>
#include <mutex>

namespace vorn::toolkit {
namespace {

constexpr const char* kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                        "/usr/share/wine/fonts/tahomabd.ttf"};

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

bool familyResolvesToItself(const char* family) {
    PatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8*>(family)));
    if (!pattern)
        return false;
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match)
        return false;
    FcChar8* found = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &found) != FcResultMatch)
        return false;
    return std::strcmp(reinterpret_cast<const char*>(found), family) == 0;
}

} // namespace

void ensureFonts() {
    static std::once_flag once;
    std::call_once(once, [] {
        FcInit();
        if (familyResolvesToItself("Tahoma"))
            return;
        for (const char* file : kTahomaFiles)
            FcConfigAppFontAddFile(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(file));
    });
}

} // namespace vorn::toolkit
