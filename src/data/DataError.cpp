#include "data/DataError.h"

namespace {
std::string fullText(const QString &message, const QString &statement)
{
    if (statement.isEmpty())
        return message.toStdString();
    return (message + QStringLiteral(" [") + statement + QStringLiteral("]")).toStdString();
}
} // namespace

DataError::DataError(const QString &message, const QString &statement)
    : std::runtime_error(fullText(message, statement)), m_message(message), m_statement(statement)
{
}

QString DataError::text() const
{
    return QString::fromStdString(what());
}
