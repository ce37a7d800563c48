#include "platform/engine/model/report.h"

#include "platform/engine/engine_error.h"

namespace vorn::engine {
namespace {

RecordSourceOpener& defaultOpener() {
    static RecordSourceOpener opener;
    return opener;
}

} // namespace

Report::Report(std::string designName) : designName_(std::move(designName)) {}

Report::Report(const Report& other)
    : nameText(other.nameText), caption(other.caption), printWidth(other.printWidth),
      margins(other.margins), windowIcon(other.windowIcon),
      recordSourceOpener(other.recordSourceOpener), designName_(other.designName_),
      orientation_(other.orientation_), pictures_(other.pictures_) {
    for (const auto& s : other.sections_)
        sections_.push_back(std::make_unique<Section>(*s));
    for (const auto& d : other.dataControls_)
        dataControls_.push_back(std::make_unique<DataControl>(*d));
}

void Report::setOrientation(int orientation) {
    if (orientation != kPortrait && orientation != kLandscape)
        throw EngineError(error_code::kInvalidArgument,
                          "Invalid orientation: " + std::to_string(orientation));
    orientation_ = orientation;
}

double Report::paperWidth() const {
    return orientation_ == kPortrait ? kPaperWidth : kPaperHeight;
}

double Report::paperHeight() const {
    return orientation_ == kPortrait ? kPaperHeight : kPaperWidth;
}

Section& Report::addSection(SectionKind kind, std::string name) {
    if (findSection(name))
        throw EngineError(error_code::kInvalidArgument, "A band is already named " + name);
    sections_.push_back(std::make_unique<Section>(kind, std::move(name)));
    return *sections_.back();
}

Section* Report::findSection(std::string_view name) {
    for (auto& s : sections_)
        if (s->name == name)
            return s.get();
    return nullptr;
}

Section& Report::section(std::string_view name) {
    if (Section* s = findSection(name))
        return *s;
    throw EngineError(error_code::kNotFound, "No band named " + std::string(name));
}

const Section& Report::section(std::string_view name) const {
    return const_cast<Report*>(this)->section(name);
}

DataControl& Report::addDataControl(DataControlKind kind, std::string name) {
    for (const auto& d : dataControls_)
        if (d->name == name)
            throw EngineError(error_code::kInvalidArgument,
                              "A data control is already named " + name);
    dataControls_.push_back(std::make_unique<DataControl>(kind, std::move(name)));
    return *dataControls_.back();
}

DataControl& Report::dataControl(std::string_view name) {
    for (auto& d : dataControls_)
        if (d->name == name)
            return *d;
    throw EngineError(error_code::kNotFound, "No data control named " + std::string(name));
}

Control& Report::control(std::string_view name) {
    for (auto& s : sections_)
        if (Control* c = s->controls.find(name))
            return *c;
    throw EngineError(error_code::kNotFound, "No control named " + std::string(name));
}

void Report::setPicture(std::string name, std::shared_ptr<const Picture> picture) {
    pictures_[std::move(name)] = std::move(picture);
}

std::shared_ptr<const Picture> Report::picture(std::string_view name) const {
    auto it = pictures_.find(name);
    return it == pictures_.end() ? nullptr : it->second;
}

void Report::setDetailBeforePrint(std::function<void()> callback) {
    section("Detail").beforePrint = std::move(callback);
}

void Report::setPageFooterBeforePrint(std::function<void()> callback) {
    section("PageFooter").beforePrint = std::move(callback);
}

void setDefaultRecordSourceOpener(RecordSourceOpener opener) {
    defaultOpener() = std::move(opener);
}

const RecordSourceOpener& defaultRecordSourceOpener() {
    return defaultOpener();
}

} // namespace vorn::engine
