#include "console/MatchJournal.h"

#include "board/Kubord2.h"
#include "console/Kumite2.h"
#include "core/Numbers.h"
#include "core/ProgramFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>

namespace kestrane {

namespace {

constexpr auto kFormat = "kestrane-match";
constexpr int kVersion = 1;
// Far above any real journal; a bigger file is not one of ours.
constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

// The console's window and setup row come from kumite.ini and the screen,
// not from the match; the board's measured size from the board's screen.
bool kept(const Element& e)
{
    static const QSet<QString> notKept = {
        "Kumite2", "Frame13",   "MyButton3", "eindwav",   "MyButton5", "MyButton4",
        "waarwav", "MyButton8", "Check23",   "Check24",   "Label25",   "Line1",
        "Line2",   "Frame15",   "Label6",    "hsch",      "Label24",   "vsch",
        "Label23", "fsch",      "Frame16",   "MyButton7", "sbtxt",     "shtxt"};
    return !notKept.contains(e.name());
}

const QSet<QString>& keptConsoleNames()
{
    static const QSet<QString> names = [] {
        const MatchState s;
        QSet<QString> all;
        for (const Element* e : s.elements()) {
            if (kept(*e))
                all.insert(e->name());
        }
        return all;
    }();
    return names;
}

const QSet<QString>& boardNames()
{
    static const QSet<QString> names = [] {
        const Kubord2 b;
        QSet<QString> all;
        for (const Element* e : b.elements()) {
            if (e->kind() != ElementKind::Form)
                all.insert(e->displayName());
        }
        return all;
    }();
    return names;
}

MatchJournal::Item itemOf(const Element& e)
{
    return {e.displayName(), e.caption(),   e.value(),  e.visible(),
            e.foreColor(),   e.backColor(), e.enabled()};
}

QJsonObject toJson(const MatchJournal::Item& i)
{
    return {{"name", i.name},
            {"caption", i.caption},
            {"value", i.value},
            {"visible", i.visible},
            {"fore", static_cast<double>(i.fore)},
            {"back", static_cast<double>(i.back)},
            {"enabled", i.enabled}};
}

// Strict reading: every field present with its type, nothing out of range.
std::optional<MatchJournal::Item> itemFrom(const QJsonValue& v)
{
    const QJsonObject o = v.toObject();
    const auto colour = [](const QJsonValue& c) -> std::optional<Colour> {
        const double d = c.toDouble(-1);
        if (!c.isDouble() || d < 0 || d > 0xFFFFFFFFu || d != std::floor(d))
            return std::nullopt;
        return static_cast<Colour>(d);
    };
    const auto fore = colour(o.value("fore"));
    const auto back = colour(o.value("back"));
    const int value = o.value("value").toInt(-1);
    if (!v.isObject() || !o.value("name").isString() || !o.value("caption").isString() ||
        o.value("caption").toString().size() > 4096 || value < 0 || value > 2 ||
        !o.value("visible").isBool() || !o.value("enabled").isBool() || !fore || !back)
        return std::nullopt;
    return MatchJournal::Item{o.value("name").toString(),
                              o.value("caption").toString(),
                              value,
                              o.value("visible").toBool(),
                              *fore,
                              *back,
                              o.value("enabled").toBool()};
}

void put(Element& e, const MatchJournal::Item& i)
{
    e.setCaption(i.caption);
    e.setValue(i.value);
    e.setVisible(i.visible);
    e.setForeColor(i.fore);
    e.setBackColor(i.back);
}

} // namespace

const MatchJournal::Item* MatchJournal::Snapshot::consoleItem(const QString& name) const
{
    for (const Item& i : console) {
        if (i.name == name)
            return &i;
    }
    return nullptr;
}

QString MatchJournal::Snapshot::summary() const
{
    const auto caption = [this](const char* name) {
        const Item* i = consoleItem(QString::fromLatin1(name));
        return i ? i->caption : QString();
    };
    const auto side = [&](const QString& label, const Competitor& who, const char* ippon,
                          const char* wazaari) {
        const QString named = who.name.isEmpty() ? label : label + " (" + who.name + ")";
        return QStringLiteral("%1: ippon %2, waza-ari %3")
            .arg(named, caption(ippon), caption(wazaari));
    };
    const QDateTime local = written.toLocalTime();
    const QString when = local.date() == QDate::currentDate()
                             ? local.toString(QStringLiteral("HH:mm:ss"))
                             : local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return QStringLiteral("A match was under way when Kestrane stopped (kept at %1).\n\n"
                          "%2\n%3\nTime left: %4:%5%6")
        .arg(when, side(QStringLiteral("Aka"), aka, "scri", "scrw"),
             side(QStringLiteral("Shiro"), shiro, "scwi", "scww"), caption("Label1"),
             caption("Label2"), caption("Label3"));
}

MatchJournal::MatchJournal(Kumite2& k, QString path) : m_k(k), m_writer(std::move(path))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kCoalesceMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { commit(); });
}

MatchJournal::~MatchJournal()
{
    watch(false);
}

MatchJournal::Snapshot MatchJournal::capture(const Kumite2& k)
{
    Snapshot snap;
    snap.written = QDateTime::currentDateTimeUtc();
    for (const Element* e : k.state.elements()) {
        if (kept(*e))
            snap.console.push_back(itemOf(*e));
    }
    if (const Kubord2* b = k.boards.current()) {
        for (const Element* e : b->elements()) {
            if (e->kind() != ElementKind::Form)
                snap.board.push_back(itemOf(*e));
        }
    }
    snap.countLeft = k.state.Frame12.left();
    snap.countTop = k.state.Frame12.top();
    snap.boardOpen = k.boards.isShown();
    snap.aka = k.competitors.aka();
    snap.shiro = k.competitors.shiro();
    return snap;
}

QByteArray MatchJournal::encode(const Snapshot& snap)
{
    QJsonArray console;
    for (const Item& i : snap.console)
        console.append(toJson(i));
    QJsonArray board;
    for (const Item& i : snap.board)
        board.append(toJson(i));
    const QJsonObject root{
        {"format", kFormat},
        {"version", kVersion},
        {"host", ProgramFiles::hostTag()},
        {"written", snap.written.toString(Qt::ISODateWithMs)},
        {"boardOpen", snap.boardOpen},
        {"countPanel", QJsonArray{snap.countLeft, snap.countTop}},
        {"competitors", QJsonArray{snap.aka.name, snap.aka.club, snap.shiro.name, snap.shiro.club}},
        {"console", console},
        {"board", board}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<MatchJournal::Snapshot> MatchJournal::decode(const QByteArray& bytes, QString* why)
{
    const auto fail = [why](const QString& reason) -> std::optional<Snapshot> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (bytes.size() > kMaxBytes)
        return fail(QStringLiteral("it is too large"));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return fail(QStringLiteral("it is not complete"));
    const QJsonObject root = doc.object();
    if (root.value("format").toString() != QLatin1String(kFormat) ||
        root.value("version").toInt() != kVersion)
        return fail(QStringLiteral("it is not a Kestrane match"));
    if (root.value("host").toString() != ProgramFiles::hostTag())
        return fail(QStringLiteral("it was written on another PC"));

    Snapshot snap;
    snap.written = QDateTime::fromString(root.value("written").toString(), Qt::ISODateWithMs);
    const QJsonArray count = root.value("countPanel").toArray();
    const QJsonArray names = root.value("competitors").toArray();
    if (!snap.written.isValid() || !root.value("boardOpen").isBool() || count.size() != 2 ||
        !count[0].isDouble() || !count[1].isDouble() || !std::isfinite(count[0].toDouble()) ||
        !std::isfinite(count[1].toDouble()) || names.size() != 4)
        return fail(QStringLiteral("it is damaged"));
    for (const QJsonValue& n : names) {
        if (!n.isString() || n.toString().size() > 4096)
            return fail(QStringLiteral("it is damaged"));
    }
    snap.boardOpen = root.value("boardOpen").toBool();
    snap.countLeft = count[0].toDouble();
    snap.countTop = count[1].toDouble();
    snap.aka = {names[0].toString(), names[1].toString()};
    snap.shiro = {names[2].toString(), names[3].toString()};

    // Each element once; the console's all there, so nothing is half put back.
    const auto items = [&](const QJsonValue& list, const QSet<QString>& known,
                           std::vector<Item>& into) {
        QSet<QString> seen;
        for (const QJsonValue& v : list.toArray()) {
            const std::optional<Item> item = itemFrom(v);
            if (!item || !known.contains(item->name) || seen.contains(item->name))
                return false;
            seen.insert(item->name);
            into.push_back(*item);
        }
        return list.isArray();
    };
    if (!items(root.value("console"), keptConsoleNames(), snap.console) ||
        snap.console.size() != static_cast<std::size_t>(keptConsoleNames().size()) ||
        !items(root.value("board"), boardNames(), snap.board))
        return fail(QStringLiteral("it is damaged"));
    return snap;
}

void MatchJournal::apply(Kumite2& k, const Snapshot& snap)
{
    MatchState& s = k.state;
    // The values as they were, without running the handlers a change would
    // run: the match decisions and penalty rules already ran when the
    // values were first set.
    for (const Item& i : snap.console) {
        Element* e = s.find(i.name);
        if (!e)
            continue;
        auto click = std::move(e->onClick);
        auto change = std::move(e->onChange);
        e->onClick = nullptr;
        e->onChange = nullptr;
        put(*e, i);
        if (e->kind() == ElementKind::Timer)
            e->setEnabled(i.enabled && e != &s.Timer1 && e != &s.Timer2);
        e->onClick = std::move(click);
        e->onChange = std::move(change);
    }
    s.Frame12.setLeft(snap.countLeft);
    s.Frame12.setTop(snap.countTop);
    // Back stopped: the operator starts the clock again when the referee
    // says so.
    k.clock.stoppen();
    k.competitors.set(snap.aka, snap.shiro);

    if (snap.boardOpen)
        k.boardOpening.startbord();
    Kubord2& b = k.boards.currentOrNewHidden();
    for (const Item& i : snap.board) {
        if (Element* e = b.find(i.name))
            put(*e, i);
    }
    if (k.koTimer.panelOpen())
        KoTimer::placeCount(b, k.koTimer.factorF());
}

void MatchJournal::offerRestore()
{
    const QString path = m_writer.path();
    QFile file(path);
    if (file.exists()) {
        QString why;
        std::optional<Snapshot> snap;
        if (file.size() <= kMaxBytes && file.open(QIODevice::ReadOnly))
            snap = decode(file.readAll(), &why);
        else
            why = QStringLiteral("it cannot be read");
        file.close();
        if (!snap) {
            const QString aside =
                path + QStringLiteral(".unreadable-") +
                QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
            const bool moved = QFile::rename(path, aside);
            m_k.ports.messages.show(
                QStringLiteral("The match kept from the last run could not be restored: %1.\n%2")
                    .arg(why, moved ? QStringLiteral("The file was set aside as %1.")
                                          .arg(QFileInfo(aside).fileName())
                                    : QStringLiteral("It will be replaced by the next match.")),
                MessagePort::Exclamation);
        } else if (m_k.ports.messages.askYesFirst(snap->summary() +
                                                  QStringLiteral("\n\nRestore this match?"))) {
            apply(m_k, *snap);
        } else {
            DurableWriter::removeDurably(path);
            if (onRestoreDeclined)
                onRestoreDeclined(*snap);
        }
    }
    start();
}

void MatchJournal::start()
{
    if (m_started)
        return;
    m_started = true;
    m_onDisk = QFile::exists(m_writer.path());
    watch(true);
    commit();
}

void MatchJournal::seal()
{
    if (!m_started || m_sealed)
        return;
    m_timer.stop();
    commit();
    m_sealed = true;
    watch(false);
    m_writer.flush();
}

bool MatchJournal::keeping() const
{
    return m_started && !m_sealed && m_writer.healthy();
}

void MatchJournal::watch(bool on)
{
    for (const auto& [e, id] : m_observed)
        e->removeObserver(id);
    m_observed.clear();
    if (m_competitorsObserver) {
        m_k.competitors.removeObserver(m_competitorsObserver);
        m_k.boards.removeListener(&m_boardWatch);
    }
    m_competitorsObserver = 0;
    if (!on)
        return;
    m_k.boards.addListener(&m_boardWatch);
    for (Element* e : m_k.state.elements()) {
        // The board's measured size changes exactly when it opens.
        if (kept(*e) || e == &m_k.state.sbtxt)
            m_observed.emplace_back(
                e, e->addObserver([this](const Element&, Property) { changed(); }));
    }
    m_competitorsObserver = m_k.competitors.addObserver([this] { changed(); });
}

void MatchJournal::changed()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void MatchJournal::commit()
{
    if (m_sealed)
        return;
    if (m_k.closeGuard.matchUnderWay()) {
        // The values are copied here; the text is made on the writer's thread.
        m_writer.write([snap = capture(m_k)] { return encode(snap); });
        m_onDisk = true;
    } else if (m_onDisk) {
        m_writer.remove();
        m_onDisk = false;
    }
}

} // namespace kestrane
