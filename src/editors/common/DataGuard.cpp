#include "DataGuard.h"

#include "data/DataError.h"
#include "support/UiPort.h"

bool runGuarded(const QString &title, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const DataError &e) {
        ui().tell(title, QStringLiteral("Errore nell'archivio dati:\n\n%1").arg(e.message()),
                  UiPort::Icon::Stop);
        return false;
    }
}
