#pragma once

#include "support/TestConsole.h"

#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

namespace kestrane::test {

// Records every write to the console's and the board's elements, and every
// sound request, as one ordered list of short entries:
//   "scri=1"             caption or text of a console element
//   "b:Label6=5"         the same on the board
//   "Timer3 on"          a timer switched on or off
//   "Command4 shown"     visibility
//   "b:Label1(11).fore=12632256"   text colour, decimal 0x00BBGGRR
//   "Check3=1"           check value
//   "Frame12.top=500"    geometry (only the property that changed)
//   "Label2 repaint"     an immediate repaint
//   "sound:end.wav"      a sound request
// Only real changes are notified by the elements, so an assignment of the
// value an element already holds leaves no entry.
class WriteLog {
public:
    explicit WriteLog(TestConsole& c) : m_c(c)
    {
        for (Element* e : c.s.elements())
            watch(*e, QString());
        for (Element* e : c.k.kubord2().elements())
            watch(*e, QStringLiteral("b:"));
        c.ports.sound.onPlay = [this](const QString& path) {
            entries << QStringLiteral("sound:") + path;
        };
    }
    ~WriteLog()
    {
        for (auto& [e, id] : m_watched)
            e->removeObserver(id);
        m_c.ports.sound.onPlay = nullptr;
    }
    WriteLog(const WriteLog&) = delete;
    WriteLog& operator=(const WriteLog&) = delete;

    // The entries since the last take(), and a fresh start.
    QStringList take() { return std::exchange(entries, {}); }

    // The entries that start with one of the prefixes, in order.
    QStringList only(const QStringList& prefixes) const
    {
        QStringList out;
        for (const QString& e : entries) {
            for (const QString& p : prefixes) {
                if (e.startsWith(p)) {
                    out << e;
                    break;
                }
            }
        }
        return out;
    }

    int count(const QString& entry) const { return static_cast<int>(entries.count(entry)); }

    QStringList entries;

private:
    struct Geometry {
        double left, top, width, height;
    };

    void watch(Element& e, const QString& prefix)
    {
        auto last = std::make_shared<Geometry>(Geometry{e.left(), e.top(), e.width(), e.height()});
        const int id = e.addObserver([this, prefix, last](const Element& el, Property p) {
            const QString n = prefix + el.displayName();
            switch (p) {
            case Property::Caption:
                entries << n + QLatin1Char('=') + el.caption();
                break;
            case Property::Value:
                entries << n + QLatin1Char('=') + QString::number(el.value());
                break;
            case Property::Visible:
                entries << n + (el.visible() ? QStringLiteral(" shown")
                                             : QStringLiteral(" hidden"));
                break;
            case Property::Enabled:
                entries << n + (el.enabled() ? QStringLiteral(" on") : QStringLiteral(" off"));
                break;
            case Property::ForeColor:
                entries << n + QStringLiteral(".fore=") + QString::number(el.foreColor());
                break;
            case Property::Repaint:
                entries << n + QStringLiteral(" repaint");
                break;
            case Property::Geometry: {
                const Geometry now{el.left(), el.top(), el.width(), el.height()};
                if (now.left != last->left)
                    entries << n + QStringLiteral(".left=") + QString::number(now.left);
                if (now.top != last->top)
                    entries << n + QStringLiteral(".top=") + QString::number(now.top);
                if (now.width != last->width || now.height != last->height)
                    entries << n + QStringLiteral(".size");
                *last = now;
                break;
            }
            default:
                entries << n + QStringLiteral(".other");
                break;
            }
        });
        m_watched.emplace_back(&e, id);
    }

    TestConsole& m_c;
    std::vector<std::pair<Element*, int>> m_watched;
};

} // namespace kestrane::test
