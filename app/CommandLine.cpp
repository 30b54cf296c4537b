#include "CommandLine.h"

#include <QFileInfo>

namespace kestrane {

namespace {

// Qt's own options, which the application object takes from the command line
// itself: those of every platform, of X11 and of the widgets. Qt takes them
// with one dash or two; a value follows as the next argument or after "=".
const QStringList kQtOptionsWithValue{QStringLiteral("platform"),
                                      QStringLiteral("platformpluginpath"),
                                      QStringLiteral("platformtheme"),
                                      QStringLiteral("plugin"),
                                      QStringLiteral("qwindowgeometry"),
                                      QStringLiteral("qwindowicon"),
                                      QStringLiteral("qwindowtitle"),
                                      QStringLiteral("session"),
                                      QStringLiteral("display"),
                                      QStringLiteral("geometry"),
                                      QStringLiteral("title"),
                                      QStringLiteral("icon"),
                                      QStringLiteral("name"),
                                      QStringLiteral("style"),
                                      QStringLiteral("stylesheet"),
                                      QStringLiteral("qmljsdebugger")};
const QStringList kQtFlags{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                           QStringLiteral("nograb"), QStringLiteral("dograb"),
                           QStringLiteral("sync")};

// The arguments without Qt's options; a Qt option that needs a value and has
// none is an error.
QStringList withoutQtOptions(const QStringList& arguments, QString& error)
{
    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QStringLiteral("--")) { // what follows is no option
            ours << arguments.mid(i);
            break;
        }
        if (i == 0 || !arg.startsWith(u'-')) {
            ours << arg;
            continue;
        }
        QString name = arg.mid(arg.startsWith(QStringLiteral("--")) ? 2 : 1);
        const qsizetype equals = name.indexOf(u'=');
        if (equals > 0 && kQtOptionsWithValue.contains(name.left(equals)))
            continue;
        if (kQtFlags.contains(name))
            continue;
        if (kQtOptionsWithValue.contains(name)) {
            if (++i >= arguments.size())
                error = QStringLiteral("Missing value after '%1'.").arg(arg);
            continue;
        }
        ours << arg;
    }
    return ours;
}

} // namespace

CommandLine::CommandLine()
    : m_help({QStringLiteral("h"), QStringLiteral("help")},
             QStringLiteral("Show this help and exit.")),
      m_version({QStringLiteral("v"), QStringLiteral("version")},
                QStringLiteral("Show the version and exit.")),
      m_serveBoard(QStringLiteral("serve-board"),
                   QStringLiteral("Serve a live, read-only copy of the board to browsers on "
                                  "[ADDRESS:]PORT (127.0.0.1 when no address is given)."),
                   QStringLiteral("[ADDRESS:]PORT"))
{
    m_parser.setApplicationDescription(
        QStringLiteral("Kestrane: a scoreboard for karate kumite matches, an operator console\n"
                       "and an audience board on a second screen. The settings are kept in\n"
                       "kumite.ini in the program's folder. Qt's own options (-platform,\n"
                       "-style, -display, -reverse and the others) are taken as well."));
    m_parser.addOption(m_help);
    m_parser.addOption(m_version);
    m_parser.addOption(m_serveBoard);
}

QString CommandLine::serveBoard() const
{
    return m_parser.isSet(m_serveBoard) ? m_parser.value(m_serveBoard) : QString();
}

CommandLine::Outcome CommandLine::parse(const QStringList& arguments)
{
    m_text.clear();
    m_program = arguments.isEmpty() ? QStringLiteral("kestrane")
                                    : QFileInfo(arguments.constFirst()).fileName();
    QString error;
    const QStringList ours = withoutQtOptions(arguments, error);
    if (!error.isEmpty())
        m_parser.parse(arguments.mid(0, 1)); // nothing counts as set
    else if (!m_parser.parse(ours))
        error = m_parser.errorText();
    else if (!m_parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.")
                    .arg(m_parser.positionalArguments().constFirst());
    if (!error.isEmpty()) {
        m_text = QStringLiteral("kestrane: %1\n\n%2").arg(error, usage());
        return Outcome::Refuse;
    }
    if (m_parser.isSet(m_help)) {
        m_text = usage();
        return Outcome::Print;
    }
    if (m_parser.isSet(m_version)) {
        m_text = QStringLiteral("Kestrane " KESTRANE_VERSION "\n");
        return Outcome::Print;
    }
    return Outcome::Run;
}

QString CommandLine::usage() const
{
    // Qt takes the name from the application object, which does not exist
    // yet when the command line is read.
    QString text = m_parser.helpText();
    text.replace(0, text.indexOf(QLatin1Char('\n')),
                 QStringLiteral("Usage: %1 [options]").arg(m_program));
    return text;
}

} // namespace kestrane
