// The words the sample tracker is made of. The first entries of the name
// lists are the awkward ones (quotes, letters beyond ASCII), so that even a
// small sample carries them.
#pragma once

#include <array>
#include <string_view>

namespace vorn::host::sample_words {

using namespace std::string_view_literals;

inline constexpr std::array kTopProjects{"Alpha"sv,          "O'Brien's Tools"sv, "Łódź"sv,
                                         "Website"sv,        "Mobile App"sv,      "Internal IT"sv,
                                         "Zürich Desk"sv,    "Payments"sv,        "Customer Care"sv,
                                         "Data Warehouse"sv, "Hardware Lab"sv,    "Marketing"sv};

inline constexpr std::array kSubProjects{
    "Docs"sv,        "Backend"sv,         "Frontend"sv, "Tests"sv,          "Release 1.0"sv,
    "Release 2.0"sv, "Support"sv,         "Design"sv,   "Infrastructure"sv, "Reports"sv,
    "Installer"sv,   "Localisation"sv,    "Security"sv, "Performance"sv,    "Façade"sv,
    "Q&A"sv,         "\"Legacy\" Code"sv, "Archive"sv};

inline constexpr std::array kUsers{"D'Arcy"sv,
                                   "Zoë"sv,
                                   "Alice Brown"sv,
                                   "Bjørn Åberg"sv,
                                   "chen wei"sv,
                                   "Émile"sv,
                                   "Grace Okafor"sv,
                                   "Henrik"sv,
                                   "Ines O'Neill"sv,
                                   "José"sv,
                                   "Kasia Łukasiewicz"sv,
                                   "Li"sv,
                                   "Mariam"sv,
                                   "Noah"sv,
                                   "Olu"sv};

// Status texts as the trackers stored them: the four the application offered,
// and the odd one typed in another letter case by an import or a script.
inline constexpr std::array kStatuses{"Completed"sv, "Open"sv, "In Progress"sv, "Deferred"sv,
                                      "completed"sv, "OPEN"sv, "in progress"sv, "DEFERRED"sv};

inline constexpr std::array kPriorities{"Urgent"sv, "High"sv, "Medium"sv, "Low"sv};
inline constexpr std::array kSeverities{"Critical"sv, "Major"sv, "Minor"sv, "Cosmetic"sv};
inline constexpr std::array kTypes{"Bug"sv, "Feature Request"sv, "Task"sv, "Question"sv,
                                   "Documentation"sv};

inline constexpr std::array kSubjectActions{"Crash when opening"sv,
                                            "Wrong totals in"sv,
                                            "Slow response from"sv,
                                            "Typo in"sv,
                                            "Add export to"sv,
                                            "Cannot print"sv,
                                            "Freeze after saving"sv,
                                            "Missing translation in"sv,
                                            "Review"sv,
                                            "Redesign"sv,
                                            "Error 0x80004005 in"sv,
                                            "Clean up"sv};

inline constexpr std::array kSubjectObjects{
    "the item list"sv,           "D'Arcy's dashboard"sv,       "the \"Save As\" dialog"sv,
    "the project tree"sv,        "Zoë's nightly export"sv,     "the Łódź price list"sv,
    "the login page"sv,          "the status report"sv,        "the 50% discount rule"sv,
    "C:\\Program Files\\Vorn"sv, "the <b>bold</b> template"sv, "the user manual"sv};

inline constexpr std::array kSubjectContexts{""sv,
                                             " on Windows 98"sv,
                                             " after the upgrade"sv,
                                             " for large projects"sv,
                                             " since build 1042"sv,
                                             " when the printer is offline"sv,
                                             " (reported twice)"sv,
                                             " – see attached log"sv};

inline constexpr std::array kCommentLines{
    "Steps to reproduce: open the list, sort by date, print."sv,
    "Happens every time on D'Arcy's machine."sv,
    "Customer says it worked in the previous release."sv,
    "Attached a screenshot; the totals column is blank."sv,
    "Could not reproduce here; Zoë will try on her laptop."sv,
    "The log says \"access denied\" twice, then nothing."sv,
    "Workaround: restart the application and try again."sv,
    "Needs a decision from the Łódź office first."sv,
    "100% reproducible with the sample data."sv,
    "See also the item about the printer settings."sv};

inline constexpr std::array kResolutions{
    "Fixed in build 1043."sv,
    "Works as designed."sv,
    "Duplicate of an older item."sv,
    "Could not reproduce; closed after two weeks without reply."sv,
    "Fixed: the report now doubles single quotes ('like this')."sv,
    "Documentation updated."sv,
    "Won't fix: the old driver is no longer supported."sv};

inline constexpr std::array kBrowsers{"Internet Explorer 5.5"sv, "Netscape 4.7"sv, "Firefox"sv,
                                      "Opera 6"sv, "Safari"sv};
inline constexpr std::array kVersions{"1.0"sv,      "1.0.3"sv, "1.2"sv,
                                      "2.0 beta"sv, "2.0"sv,   "2.1 (build 1042)"sv};
inline constexpr std::array kCustomers{
    "Acme Corp"sv,        "O'Reilly & Sons"sv, "Zoë's Café"sv, "Łódź City Council"sv,
    "\"Best\" Widgets"sv, "Nordic Ærø Ltd"sv,  "internal"sv};

} // namespace vorn::host::sample_words
