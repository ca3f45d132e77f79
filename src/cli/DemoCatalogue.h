#pragma once

#include <QString>

class Database;

struct DemoCatalogueCounts {
    int categories = 0;
    int products = 0; // variants included
    int colours = 0;
    int images = 0;
};

// Fills a new project's database and image folders with the demo shop's
// catalogue in one transaction; projectFolder ends with a separator.
// Throws DataError on a database failure.
DemoCatalogueCounts fillDemoCatalogue(Database &db, const QString &projectFolder);
