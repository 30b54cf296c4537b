#include "tournament/DaySetup.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

namespace kestrane {

namespace {

constexpr qint64 kReadLimit = 4 << 20;

QJsonObject pair(const Competitor& c)
{
    return {{QStringLiteral("name"), c.name}, {QStringLiteral("club"), c.club}};
}

Competitor competitor(const QJsonValue& v)
{
    const QJsonObject o = v.toObject();
    return {o.value(QStringLiteral("name")).toString(), o.value(QStringLiteral("club")).toString()};
}

} // namespace

std::optional<DaySetup> DaySetup::read(const QString& path, QString* error)
{
    error->clear();
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kReadLimit + 1);
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (bytes.size() > kReadLimit || parse.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QStringLiteral("it is not a set-up this program wrote");
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    DaySetup d;
    d.field = o.value(QStringLiteral("field")).toString();
    d.minutes = o.value(QStringLiteral("minutes")).toString();
    d.seconds = o.value(QStringLiteral("seconds")).toString();
    d.ippon = o.value(QStringLiteral("ippon")).toString();
    d.aka = competitor(o.value(QStringLiteral("aka")));
    d.shiro = competitor(o.value(QStringLiteral("shiro")));
    d.label = o.value(QStringLiteral("label")).toString();
    d.listName = o.value(QStringLiteral("listName")).toString();
    for (const QJsonValue& v : o.value(QStringLiteral("list")).toArray()) {
        const QJsonObject e = v.toObject();
        d.list << MatchEntry{e.value(QStringLiteral("label")).toString(),
                             competitor(e.value(QStringLiteral("aka"))),
                             competitor(e.value(QStringLiteral("shiro"))),
                             e.value(QStringLiteral("time")).toString()};
    }
    d.position = std::clamp(o.value(QStringLiteral("position")).toInt(-1), -1,
                            static_cast<int>(d.list.size()));
    d.closeRowOffset = static_cast<qint64>(o.value(QStringLiteral("closeRowOffset")).toDouble(-1));
    d.closeRow = QByteArray::fromBase64(o.value(QStringLiteral("closeRow")).toString().toLatin1());
    return d;
}

bool DaySetup::write(const QString& path) const
{
    QJsonArray entries;
    for (const MatchEntry& e : list)
        entries.append(QJsonObject{{QStringLiteral("label"), e.label},
                                   {QStringLiteral("aka"), pair(e.aka)},
                                   {QStringLiteral("shiro"), pair(e.shiro)},
                                   {QStringLiteral("time"), e.time}});
    const QJsonObject o{{QStringLiteral("field"), field},
                        {QStringLiteral("minutes"), minutes},
                        {QStringLiteral("seconds"), seconds},
                        {QStringLiteral("ippon"), ippon},
                        {QStringLiteral("aka"), pair(aka)},
                        {QStringLiteral("shiro"), pair(shiro)},
                        {QStringLiteral("label"), label},
                        {QStringLiteral("listName"), listName},
                        {QStringLiteral("list"), entries},
                        {QStringLiteral("position"), position},
                        {QStringLiteral("closeRowOffset"), static_cast<double>(closeRowOffset)},
                        {QStringLiteral("closeRow"), QString::fromLatin1(closeRow.toBase64())}};
    const QByteArray bytes = QJsonDocument(o).toJson();
    // Replaced in one step: a crash while writing leaves the old set-up.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kestrane
