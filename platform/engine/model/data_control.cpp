#include "platform/engine/model/data_control.h"

namespace vorn::engine {

DataControl::DataControl(DataControlKind kind_, std::string name_)
    : kind(kind_), name(std::move(name_)) {}

} // namespace vorn::engine
