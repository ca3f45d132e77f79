#include "designer/ParameterMarkers.h"

namespace ParameterMarkers {

QString startMarker(const QString &name)
{
    return QStringLiteral("%%") + name + QStringLiteral("%%");
}

QString endMarker(const QString &name)
{
    return QStringLiteral("%%/") + name + QStringLiteral("%%");
}

void keepSections(QString &text, const QString &start, const QString &end)
{
    text.remove(start);
    text.remove(end);
}

bool cutSections(QString &text, const QString &start, const QString &end)
{
    QString work = text;
    for (;;) {
        const qsizetype from = work.indexOf(start);
        if (from < 0)
            break;
        const qsizetype to = work.indexOf(end);
        if (to < 0)
            break;
        if (to < from)
            return false;
        work.remove(from, to + end.size() - from);
    }
    text = work;
    return true;
}

void applyOnOff(QString &text, const QString &name, const QString &value)
{
    if (value == QLatin1String("1"))
        keepSections(text, startMarker(name), endMarker(name));
    else
        cutSections(text, startMarker(name), endMarker(name));
}

void applyChoice(QString &text, const QString &name, const QString &value,
                 const QString &options)
{
    int selected = -1;
    if (!value.isEmpty()) {
        bool ok = false;
        const int n = value.trimmed().toInt(&ok);
        if (ok)
            selected = n;
    }
    QString rest = options;
    for (int i = 0; !rest.isEmpty(); ++i) {
        const QString option = name + QLatin1Char('=') + QString::number(i);
        if (i == selected)
            keepSections(text, startMarker(option), endMarker(option));
        else
            cutSections(text, startMarker(option), endMarker(option));
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        rest = comma < 0 ? QString() : rest.mid(comma + 1);
    }
}

void applyValue(QString &text, const QString &name, const QString &value)
{
    text.replace(startMarker(name), value);
}

} // namespace ParameterMarkers
