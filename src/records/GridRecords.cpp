#include "GridRecords.h"

#include "data/Database.h"
#include "data/DeletedRecords.h"
#include "support/UiPort.h"
#include "support/ValidationTexts.h"

int GridRecords::store(GridRow &row)
{
    const int missing = missingMandatory(row);
    if (missing >= 0) {
        ui().tell(ValidationTexts::Title, ValidationTexts::Mandatory,
                  UiPort::Icon::Stop);
        return missing;
    }
    const int refused = checkRow(row);
    if (refused >= 0)
        return refused;
    if (row.id <= 0)
        insertRow(row);
    else if (differs(row))
        updateRow(row);
    return -1;
}

bool GridRecords::mayDelete(int) const
{
    return true;
}

int GridRecords::checkRow(const GridRow &) const
{
    return -1;
}

