-- The local reports database ("reports.mdb", and its spare copy "vornwiz.dll"):
-- a scratch table that each status build empties and fills anew, read back by
-- the status reports ordered by AssignedTo, ProjectName and FolderPath.
CREATE TABLE ProjectDetails (
    AssignedTo TEXT COLLATE NOCASE,
    FolderPath TEXT COLLATE NOCASE,
    ProjectName TEXT COLLATE NOCASE,
    ProjectCreated TEXT, -- the "General Date" text the builds write
    ItemsComplete INTEGER,
    ItemsIncomplete INTEGER,
    ItemsTotal INTEGER
);
