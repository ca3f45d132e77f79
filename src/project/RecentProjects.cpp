#include "RecentProjects.h"

#include <QSettings>

RecentProjects::RecentProjects()
    : m_settings(std::make_unique<QSettings>(Organisation, Application))
{
}

RecentProjects::RecentProjects(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

RecentProjects::~RecentProjects() = default;

QString RecentProjects::valueName(int number)
{
    return QStringLiteral("Project%1").arg(number);
}

QStringList RecentProjects::values() const
{
    m_settings->sync();
    QStringList out;
    m_settings->beginGroup(Group);
    for (int i = 1; i <= MaxProjects; ++i) {
        const QString key = valueName(i);
        if (!m_settings->contains(key))
            break;
        out << m_settings->value(key).toString();
    }
    m_settings->endGroup();
    return out;
}

void RecentProjects::add(const QString &path)
{
    QStringList list = values();
    const int found = list.indexOf(path);
    if (found >= 0) {
        if (found == list.size() - 1)
            return;
        list.removeAt(found);
        list.append(path);
    } else if (list.size() < MaxProjects) {
        m_settings->beginGroup(Group);
        m_settings->setValue(valueName(int(list.size()) + 1), path);
        m_settings->endGroup();
        m_settings->sync();
        return;
    } else {
        list.removeFirst();
        list.append(path);
    }
    m_settings->beginGroup(Group);
    for (int i = 0; i < list.size(); ++i)
        m_settings->setValue(valueName(i + 1), list[i]);
    m_settings->endGroup();
    m_settings->sync();
}

void RecentProjects::remove(const QString &path)
{
    const QStringList list = values();
    const int found = list.indexOf(path);
    if (found < 0)
        return;
    m_settings->beginGroup(Group);
    for (int k = found + 1; k < list.size(); ++k)
        m_settings->setValue(valueName(k), list[k]);
    m_settings->remove(valueName(int(list.size())));
    m_settings->endGroup();
    m_settings->sync();
}

QString RecentProjects::newest() const
{
    const QStringList list = newestFirst();
    return list.isEmpty() ? QString() : list.first();
}

QStringList RecentProjects::newestFirst() const
{
    m_settings->sync();
    QStringList out;
    m_settings->beginGroup(Group);
    for (int i = MaxProjects; i >= 1; --i) {
        const QString key = valueName(i);
        if (m_settings->contains(key))
            out << m_settings->value(key).toString();
    }
    m_settings->endGroup();
    return out;
}

void RecentProjects::rememberProgramFolder(const QString &path)
{
    m_settings->setValue(QStringLiteral("CartellaInstallazione"), path);
    m_settings->sync();
}
