#include "platform/engine/design/design_loader.h"

#include "platform/engine/engine_error.h"

#include <nlohmann/json.hpp>

#include <sstream>

namespace vorn::engine {
namespace {

using nlohmann::json;

[[noreturn]] void invalid(const std::string& why) {
    throw EngineError(error_code::kInvalidArgument, "Invalid report design: " + why);
}

const json& member(const json& object, const char* key, const std::string& where) {
    auto it = object.find(key);
    if (it == object.end())
        invalid(where + " has no \"" + key + "\"");
    return *it;
}

template <typename T> T get(const json& value, const std::string& what) {
    try {
        return value.get<T>();
    } catch (const json::exception&) {
        invalid(what + " has the wrong type");
    }
}

template <typename T>
T optional(const json& object, const char* key, T fallback, const std::string& where) {
    auto it = object.find(key);
    return it == object.end() ? fallback : get<T>(*it, where + "." + key);
}

/// "Tahoma 8.25 bold": the family, the size in points, and an optional weight.
FontStyle parseFont(const std::string& text, const std::string& where) {
    std::istringstream words(text);
    std::string word;
    FontStyle font;
    std::string family;
    bool sized = false;
    while (words >> word) {
        if (!sized && !family.empty() && (std::isdigit(static_cast<unsigned char>(word[0])))) {
            try {
                std::size_t used = 0;
                font.size = std::stod(word, &used);
                if (used != word.size())
                    invalid(where + ": bad font size " + word);
            } catch (const std::logic_error&) {
                invalid(where + ": bad font size " + word);
            }
            sized = true;
        } else if (sized && word == "bold") {
            font.bold = true;
        } else if (!sized) {
            family += family.empty() ? word : " " + word;
        } else {
            invalid(where + ": cannot read the font \"" + text + "\"");
        }
    }
    if (family.empty() || !sized)
        invalid(where + ": cannot read the font \"" + text + "\"");
    font.name = family;
    return font;
}

Color parseColor(const std::string& text, const std::string& where) {
    if (text == "black")
        return Color::black();
    if (text == "white")
        return Color::white();
    if (text == "silver")
        return Color::silver();
    if (text.size() == 7 && text[0] == '#') {
        try {
            unsigned long rgb = std::stoul(text.substr(1), nullptr, 16);
            return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                    static_cast<std::uint8_t>(rgb)};
        } catch (const std::logic_error&) {
        }
    }
    invalid(where + ": unknown colour " + text);
}

SectionKind parseSectionKind(const std::string& kind, const std::string& where) {
    if (kind == "pageHeader")
        return SectionKind::PageHeader;
    if (kind == "groupHeader")
        return SectionKind::GroupHeader;
    if (kind == "detail")
        return SectionKind::Detail;
    if (kind == "groupFooter")
        return SectionKind::GroupFooter;
    if (kind == "pageFooter")
        return SectionKind::PageFooter;
    invalid(where + ": unknown band kind " + kind);
}

void readBox(const json& j, double& left, double& top, double& width, double& height,
             const std::string& where) {
    left = get<double>(member(j, "left", where), where + ".left");
    top = get<double>(member(j, "top", where), where + ".top");
    width = get<double>(member(j, "width", where), where + ".width");
    height = get<double>(member(j, "height", where), where + ".height");
}

void readDataControl(Report& report, const Section& section, const json& j, const std::string& name,
                     const std::string& where) {
    const auto source = get<std::string>(member(j, "source", where), where + ".source");
    DataControlKind kind = DataControlKind::RemoteData;
    if (source == "local")
        kind = DataControlKind::LocalDatabase;
    else if (source != "remote")
        invalid(where + ": unknown data source kind " + source);
    DataControl& data = report.addDataControl(kind, name);
    data.section = section.name;
    readBox(j, data.left, data.top, data.width, data.height, where);
    data.connect = optional<std::string>(j, "connect", "", where);
    data.databaseName = optional<std::string>(j, "databaseName", "", where);
    data.recordSource = optional<std::string>(j, "recordSource", "", where);
}

void readControl(Report& report, Section& section, const json& j, const std::string& bandWhere) {
    if (!j.is_object())
        invalid(bandWhere + ": a control is not an object");
    const auto name = get<std::string>(member(j, "name", bandWhere), bandWhere + ".name");
    const std::string where = bandWhere + "." + name;
    const auto kindText = get<std::string>(member(j, "kind", where), where + ".kind");
    if (kindText == "dataControl") {
        readDataControl(report, section, j, name, where);
        return;
    }
    ControlKind kind;
    if (kindText == "label")
        kind = ControlKind::Label;
    else if (kindText == "field")
        kind = ControlKind::Field;
    else if (kindText == "checkBox")
        kind = ControlKind::CheckBox;
    else if (kindText == "picture")
        kind = ControlKind::Picture;
    else if (kindText == "line")
        kind = ControlKind::Line;
    else
        invalid(where + ": unknown control kind " + kindText);

    Control& c = section.controls.add(kind, name);
    if (kind == ControlKind::Line) {
        const auto from = get<std::vector<double>>(member(j, "from", where), where + ".from");
        const auto to = get<std::vector<double>>(member(j, "to", where), where + ".to");
        if (from.size() != 2 || to.size() != 2)
            invalid(where + ": a line runs between two points of two numbers each");
        c.x1 = from[0];
        c.y1 = from[1];
        c.x2 = to[0];
        c.y2 = to[1];
        c.left = std::min(c.x1, c.x2);
        c.top = std::min(c.y1, c.y2);
        c.width = std::abs(c.x2 - c.x1);
        c.height = std::abs(c.y2 - c.y1);
    } else {
        readBox(j, c.left, c.top, c.width, c.height, where);
    }
    c.caption = optional<std::string>(j, "caption", "", where);
    c.text = optional<std::string>(j, "text", "", where);
    c.dataField = optional<std::string>(j, "dataField", "", where);
    c.dataSource = optional<std::string>(j, "dataSource", "", where);
    c.outputFormat = optional<std::string>(j, "outputFormat", "", where);
    c.canGrow = optional<bool>(j, "canGrow", c.canGrow, where);
    c.canShrink = optional<bool>(j, "canShrink", false, where);
    c.visible = optional<bool>(j, "visible", true, where);
    if (j.contains("font"))
        c.font = parseFont(get<std::string>(j["font"], where + ".font"), where);
    const auto align = optional<std::string>(j, "align", "left", where);
    if (align == "center")
        c.alignment = Alignment::Center;
    else if (align == "right")
        c.alignment = Alignment::Right;
    else if (align != "left")
        invalid(where + ": unknown alignment " + align);
    if (j.contains("background"))
        c.backColor = parseColor(get<std::string>(j["background"], where + ".background"), where);
    if (j.contains("color"))
        c.foreColor = parseColor(get<std::string>(j["color"], where + ".color"), where);
    const auto page = optional<std::string>(j, "page", "", where);
    if (page == "number")
        c.pageValue = PageValue::PageNumber;
    else if (page == "count")
        c.pageValue = PageValue::PageCount;
    else if (!page.empty())
        invalid(where + ": unknown page value " + page);
    if (j.contains("sum")) {
        c.summary = SummaryFunction::Sum;
        c.dataField = get<std::string>(j["sum"], where + ".sum");
        c.summaryGroup = optional<std::string>(j, "over", "", where);
    }
    c.picture = optional<std::string>(j, "picture", "", where);
    if (kind == ControlKind::Picture && !report.picture(c.picture))
        invalid(where + ": the report has no picture named \"" + c.picture + "\"");
}

std::shared_ptr<const Picture> readPicture(const std::string& file,
                                           const PictureFileLookup& pictures) {
    auto bytes = pictures ? pictures(file) : std::nullopt;
    if (!bytes)
        throw EngineError(error_code::kNotFound, "Picture file not found: " + file);
    return Picture::fromBytes(std::move(*bytes));
}

} // namespace

std::unique_ptr<Report> loadDesign(std::string_view text, const PictureFileLookup& pictures) {
    json j;
    try {
        j = json::parse(text);
    } catch (const json::exception& e) {
        // Not only syntax: a number too large for a double ("1E458") fails too.
        invalid(e.what());
    }
    if (!j.is_object())
        invalid("the design is not an object");
    const std::string where = "report";
    auto report = std::make_unique<Report>(get<std::string>(member(j, "report", where), where));
    report->nameText = get<std::string>(member(j, "nameText", where), "nameText");
    report->caption = get<std::string>(member(j, "caption", where), "caption");
    report->printWidth = get<double>(member(j, "printWidth", where), "printWidth");
    const auto margins = get<std::vector<double>>(member(j, "margins", where), "margins");
    if (margins.size() != 4)
        invalid("margins are four numbers: left, right, top, bottom");
    report->margins = {margins[0], margins[1], margins[2], margins[3]};
    report->setOrientation(optional<int>(j, "orientation", Report::kPortrait, where));

    if (j.contains("pictures")) {
        const json& list = j["pictures"];
        if (!list.is_object())
            invalid("pictures is not an object");
        for (auto it = list.begin(); it != list.end(); ++it)
            report->setPicture(it.key(),
                               readPicture(get<std::string>(it.value(), "pictures"), pictures));
    }
    if (j.contains("windowIcon"))
        report->windowIcon = readPicture(get<std::string>(j["windowIcon"], "windowIcon"), pictures);

    const json& sections = member(j, "sections", where);
    if (!sections.is_array())
        invalid("sections is not a list");
    for (const json& s : sections) {
        if (!s.is_object())
            invalid("a band is not an object");
        const auto name = get<std::string>(member(s, "name", "band"), "band.name");
        const auto kind =
            parseSectionKind(get<std::string>(member(s, "kind", name), name + ".kind"), name);
        Section& section = report->addSection(kind, name);
        section.height = get<double>(member(s, "height", name), name + ".height");
        section.groupField = optional<std::string>(s, "groupField", "", name);
        if (kind == SectionKind::GroupHeader && section.groupField.empty())
            invalid(name + ": a group header needs a groupField");
        section.newPageAfter = optional<bool>(s, "newPageAfter", false, name);
        section.canGrow = optional<bool>(s, "canGrow", true, name);
        section.canShrink = optional<bool>(s, "canShrink", false, name);
        if (s.contains("controls")) {
            const json& controls = s["controls"];
            if (!controls.is_array())
                invalid(name + ".controls is not a list");
            for (const json& c : controls)
                readControl(*report, section, c, name);
        }
    }
    return report;
}

} // namespace vorn::engine
