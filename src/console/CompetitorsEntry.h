#pragma once

#include <QObject>
#include <QPointer>

class QAction;

namespace kestrane {
class Kumite2;
}

namespace kestrane::view {

class CompetitorsWindow;
class ConsoleWindow;

// The console's side of the competitors' names: "Competitors..." in the
// Tournament menu (Ctrl+Shift+C, which no hand on the scoring keys types by
// accident) opens the window; the console's "Aka" and "Shiro" headings tell
// a screen reader who stands on each side.
class CompetitorsEntry final : public QObject {
    Q_OBJECT
public:
    CompetitorsEntry(Kumite2& k, ConsoleWindow& console);
    ~CompetitorsEntry() override;

    // Opens the window (or brings it forward) with the pair on the mat.
    void open();
    CompetitorsWindow* window() const;
    QAction* action() const { return m_action; }

    // A heading's name for a screen reader: "Aka, Taro Yamada (JPN)", or
    // empty (the heading's own text) with nobody named.
    static QString headingName(const QString& side, const QString& line);

private:
    void updateHeadings();

    Kumite2& m_k;
    ConsoleWindow& m_console;
    QAction* m_action = nullptr;
    QPointer<CompetitorsWindow> m_window;
    int m_observer = 0;
};

} // namespace kestrane::view
