#include "feed/FeedChoice.h"

#include <QSettings>

namespace kestrane {

QString FeedChoice::address() const
{
    return QStringLiteral("%1:%2")
        .arg(hall ? QStringLiteral("0.0.0.0") : QStringLiteral("127.0.0.1"))
        .arg(port);
}

FeedChoice FeedChoice::load(const QString& path)
{
    FeedChoice c;
    const QSettings f(path, QSettings::IniFormat);
    c.on = f.value(QStringLiteral("on")).toString() == QLatin1String("yes");
    c.hall = f.value(QStringLiteral("network")).toString() == QLatin1String("hall");
    bool ok = false;
    const uint port = f.value(QStringLiteral("port")).toString().toUInt(&ok);
    if (ok && port >= 1 && port <= 65535)
        c.port = static_cast<quint16>(port);
    c.serveResults = f.value(QStringLiteral("results")).toString() == QLatin1String("yes");
    return c;
}

bool FeedChoice::save(const QString& path) const
{
    QSettings f(path, QSettings::IniFormat);
    const auto yes = [](bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); };
    f.setValue(QStringLiteral("on"), yes(on));
    f.setValue(QStringLiteral("network"),
               hall ? QStringLiteral("hall") : QStringLiteral("this-pc"));
    f.setValue(QStringLiteral("port"), port);
    f.setValue(QStringLiteral("results"), yes(serveResults));
    f.sync();
    return f.status() == QSettings::NoError;
}

} // namespace kestrane
