// The status builds' SQL texts, joined from their pieces exactly as the builds
// join them, for the translator and semantics tests.
#pragma once

#include <string>

namespace vorn::rdo::dialect::test {

inline std::string serverProjectStatus() {
    return std::string("SELECT P1.ProjectIndex,P1.ProjectName,P1.Created, ") +
           "SUM(CASE P1.Item WHEN 'ALL' THEN P1.[Total of ItemIndex] ELSE 0 END) AS Total, " +
           "SUM(CASE P1.Item WHEN 'COMPLETED' THEN P1.[Total of ItemIndex] ELSE 0 END) AS "
           "Completed " +
           "From (SELECT Projects.ProjectIndex, Projects.ProjectName, Projects.Created, " +
           "CASE WHEN (GROUPING(Items.Status) = 1) THEN 'ALL' ELSE ISNULL(Items.Status, "
           "'UNKNOWN') END AS Item, " +
           "Count(Items.ItemIndex) As [Total Of ItemIndex] " +
           "FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex " +
           "GROUP BY Projects.ProjectIndex, Projects.ProjectName, Projects.Created, Items.Status "
           "WITH Cube) " +
           "AS P1 WHERE" +
           "(P1.Created Is Not Null And P1.ProjectIndex Is Not Null And P1.ProjectName Is Not "
           "Null) " +
           "GROUP BY P1.ProjectName, P1.ProjectIndex, P1.Created ";
}

inline std::string accessProjectStatus() {
    return std::string("TRANSFORM Count(Items.ItemIndex) AS [The Value] ") +
           "SELECT Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
           "Count(Items.ItemIndex) AS [Total] " +
           "FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex " +
           "GROUP BY Projects.ProjectIndex, Projects.ProjectName, Projects.Created " +
           "PIVOT Items.Status";
}

inline std::string serverUserStatus(const std::string& userName) {
    const std::string condition =
        userName.empty() ? std::string() : "P1.AssignedTo='" + userName + "' AND ";
    return std::string("SELECT P1.AssignedTo,P1.ProjectIndex,P1.ProjectName,P1.Created, ") +
           "SUM(CASE P1.Item WHEN 'ALL' THEN P1.[Total of ItemIndex] ELSE 0 END) AS Total, " +
           "SUM(CASE P1.Item WHEN 'COMPLETED' THEN P1.[Total of ItemIndex] ELSE 0 END) AS "
           "Completed " +
           "From (SELECT Items.AssignedTo, Projects.ProjectIndex, Projects.ProjectName, "
           "Projects.Created, " +
           "CASE WHEN (GROUPING(Items.Status) = 1) THEN 'ALL' ELSE ISNULL(Items.Status, "
           "'UNKNOWN') END AS Item, " +
           "Count(Items.ItemIndex) As [Total Of ItemIndex] " +
           "FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex " +
           "GROUP BY Items.AssignedTo, Projects.ProjectIndex, Projects.ProjectName, "
           "Projects.Created, Items.Status WITH Cube) " +
           "AS P1 " + "Where (" + condition +
           "P1.AssignedTo Is Not Null And P1.Created Is Not Null And P1.ProjectIndex Is Not "
           "Null And P1.ProjectName Is Not Null) " +
           "GROUP BY P1.AssignedTo, P1.ProjectName, P1.ProjectIndex, P1.Created";
}

inline std::string accessUserStatus(const std::string& userName) {
    const std::string condition =
        userName.empty() ? std::string() : "WHERE Items.AssignedTo='" + userName + "' ";
    return std::string("TRANSFORM Count(Items.ItemIndex) AS [The Value] ") +
           "SELECT Items.AssignedTo, Projects.ProjectName, Projects.ProjectIndex, "
           "Projects.Created, Count(Items.ItemIndex) AS [Total] " +
           "FROM Items INNER JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex " +
           condition +
           "GROUP BY Items.AssignedTo, Projects.ProjectName, Projects.ProjectIndex, "
           "Projects.Created " +
           "Pivot Items.Status";
}

} // namespace vorn::rdo::dialect::test
