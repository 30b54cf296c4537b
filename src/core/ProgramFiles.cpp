#include "core/ProgramFiles.h"

#include <QDir>
#include <QSysInfo>

namespace kestrane {

ProgramFiles::ProgramFiles(QString folder) : m_folder(std::move(folder))
{
}

QString ProgramFiles::inFolder(const QString& name) const
{
    return QDir(m_folder).filePath(name);
}

QString ProgramFiles::settings() const
{
    return inFolder(QStringLiteral("kumite.ini"));
}

QString ProgramFiles::instanceLock() const
{
    return inFolder(QStringLiteral("kestrane-%1.lock").arg(hostTag()));
}

QString ProgramFiles::matchJournal() const
{
    return inFolder(QStringLiteral("kestrane-%1-match.json").arg(hostTag()));
}

QString ProgramFiles::feedChoice() const
{
    return inFolder(QStringLiteral("kestrane-%1-feed.ini").arg(hostTag()));
}

QString ProgramFiles::tournament() const
{
    return inFolder(QStringLiteral("kestrane-%1-tournament.json").arg(hostTag()));
}

QString ProgramFiles::resultsLog() const
{
    return inFolder(QStringLiteral("kestrane-%1-results.csv").arg(hostTag()));
}

QString ProgramFiles::hostTag()
{
    return hostTag(QSysInfo::machineHostName());
}

QString ProgramFiles::hostTag(const QString& hostName)
{
    QString tag;
    for (const QChar c : hostName) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
        tag += plain ? c : QChar(u'_');
    }
    return tag.isEmpty() ? QStringLiteral("host") : tag;
}

} // namespace kestrane
