#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace kestrane {

// The program's command line. Read before any window system is touched, so
// that --help and --version work without a display. To add an option: a
// QCommandLineOption member, one addOption() in the constructor, an
// accessor.
class CommandLine {
public:
    enum class Outcome {
        Run,    // start the program
        Print,  // print text() on standard output and exit with success
        Refuse, // print text() on standard error and exit with failure
    };

    CommandLine();
    // arguments: the full argument list, the program's name first.
    Outcome parse(const QStringList& arguments);
    const QString& text() const { return m_text; }
    // The board feed's [ADDRESS:]PORT, or a null string when not asked for.
    QString serveBoard() const;

private:
    QString usage() const;

    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_serveBoard;
    QString m_program;
    QString m_text;
};

} // namespace kestrane
