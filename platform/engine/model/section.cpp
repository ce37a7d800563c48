#include "platform/engine/model/section.h"

namespace vorn::engine {

Section::Section(SectionKind kind_, std::string name_) : kind(kind_), name(std::move(name_)) {}

} // namespace vorn::engine
