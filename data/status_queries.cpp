#include "data/status_queries.h"

#include "data/sql_text.h"

namespace vorn {

std::string projectStatusQuery(const std::string& databaseType) {
    if (databaseType == "SQL Server")
        return "SELECT P1.ProjectIndex,P1.ProjectName,P1.Created, "
               "SUM(CASE P1.Item WHEN 'ALL' THEN P1.[Total of ItemIndex] ELSE 0 END) AS Total, "
               "SUM(CASE P1.Item WHEN 'COMPLETED' THEN P1.[Total of ItemIndex] ELSE 0 END) AS "
               "Completed "
               "From (SELECT Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
               "CASE WHEN (GROUPING(Items.Status) = 1) THEN 'ALL' ELSE ISNULL(Items.Status, "
               "'UNKNOWN') END AS Item, "
               "Count(Items.ItemIndex) As [Total Of ItemIndex] "
               "FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex "
               "GROUP BY Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
               "Items.Status WITH Cube) "
               "AS P1 WHERE"
               "(P1.Created Is Not Null And P1.ProjectIndex Is Not Null And P1.ProjectName Is Not "
               "Null) "
               "GROUP BY P1.ProjectName, P1.ProjectIndex, P1.Created ";
    return "TRANSFORM Count(Items.ItemIndex) AS [The Value] "
           "SELECT Projects.ProjectIndex, Projects.ProjectName, Projects.Created, "
           "Count(Items.ItemIndex) AS [Total] "
           "FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex "
           "GROUP BY Projects.ProjectIndex, Projects.ProjectName, Projects.Created "
           "PIVOT Items.Status";
}

std::string userStatusQuery(const std::string& databaseType, const std::string& userName) {
    if (databaseType == "SQL Server") {
        const std::string userCondition =
            userName.empty() ? "" : "P1.AssignedTo='" + quoteDoubled(userName) + "' AND ";
        return "SELECT P1.AssignedTo,P1.ProjectIndex,P1.ProjectName,P1.Created, "
               "SUM(CASE P1.Item WHEN 'ALL' THEN P1.[Total of ItemIndex] ELSE 0 END) AS Total, "
               "SUM(CASE P1.Item WHEN 'COMPLETED' THEN P1.[Total of ItemIndex] ELSE 0 END) AS "
               "Completed "
               "From (SELECT Items.AssignedTo, Projects.ProjectIndex, Projects.ProjectName, "
               "Projects.Created, "
               "CASE WHEN (GROUPING(Items.Status) = 1) THEN 'ALL' ELSE ISNULL(Items.Status, "
               "'UNKNOWN') END AS Item, "
               "Count(Items.ItemIndex) As [Total Of ItemIndex] "
               "FROM Items RIGHT JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex "
               "GROUP BY Items.AssignedTo, Projects.ProjectIndex, Projects.ProjectName, "
               "Projects.Created, Items.Status WITH Cube) "
               "AS P1 "
               "Where (" +
               userCondition +
               "P1.AssignedTo Is Not Null And P1.Created Is Not Null And P1.ProjectIndex Is Not "
               "Null And P1.ProjectName Is Not Null) "
               "GROUP BY P1.AssignedTo, P1.ProjectName, P1.ProjectIndex, P1.Created";
    }
    const std::string userCondition =
        userName.empty() ? "" : "WHERE Items.AssignedTo='" + quoteDoubled(userName) + "' ";
    return "TRANSFORM Count(Items.ItemIndex) AS [The Value] "
           "SELECT Items.AssignedTo, Projects.ProjectName, Projects.ProjectIndex, "
           "Projects.Created, Count(Items.ItemIndex) AS [Total] "
           "FROM Items INNER JOIN Projects ON Items.ProjectIndex = Projects.ProjectIndex " +
           userCondition +
           "GROUP BY Items.AssignedTo, Projects.ProjectName, Projects.ProjectIndex, "
           "Projects.Created "
           "Pivot Items.Status";
}

} // namespace vorn
