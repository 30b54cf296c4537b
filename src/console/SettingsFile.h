#pragma once

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>

namespace kestrane::SettingsFile {

// kumite.ini holds nine positional lines: the two sound paths, the three
// board scales and the four options (Check23, Check24, Check25, Check26).
// Everything here works on bytes and values only, so that the format can be
// tested and fuzzed without a window or a file system.

inline constexpr int kLines = 9;

// The lines of a file as read: at most nine. A line beyond size() is absent,
// which is not the same as an empty line.
struct Lines {
    QList<QString> lines;
    // True when the ninth line ended inside the bytes (by CR or LF). Nothing
    // after that point is ever read, so a caller that reads a file in pieces
    // can stop there.
    bool complete = false;
};

// Splits bytes into at most nine lines. A carriage return ends a line and a
// line feed right after it is skipped; a line feed on its own also ends a
// line (files edited with Linux tools). Before each line the end of the
// bytes is tested: there are no lines after the last byte. A UTF-8
// byte-order mark at the start of the bytes is skipped. Each line is
// decoded as UTF-8, or as Windows-1252 when it is not valid UTF-8.
Lines readLines(const QByteArray& bytes);

// Reads a whole line as a number. A second rule beside Numbers::val, kept
// because the file needs what the console's fields must not do: a line that
// is not wholly a number is refused (so a damaged line falls back to its
// default instead of reading as 0), and the locale's sign and decimal
// separator are taken, as a file written on a comma-decimal desktop has
// them. The conversion itself is the shared one. Blanks (space, tab) around it ignored, an
// optional sign, digits with at most one decimal separator, an optional
// exponent, and nothing else. The separator is "." or the locale's own.
// A number beyond the range of a double reads as 0, as everywhere in the
// system. Returns nothing when the line is not a number (an empty line
// included).
std::optional<double> readNumber(const QString& line, const QLocale& locale);

// What start-up applies from the lines, step by step. Loading stops at the
// first line that must be a number and is not; what comes after that point
// is left out here and must not be applied.
struct Loaded {
    // Lines 1 and 2; an absent line gives an empty text.
    QString eindwav;
    QString waarwav;
    // hsch, vsch, fsch: each line's own text, or "1" for an absent line or
    // one whose number is zero. Nothing when a scale line is not a number.
    std::optional<std::array<QString, 3>> scales;
    // Values for Check23, Check24, Check25, Check26 in this order, each 1
    // when its line's number equals 1 and 0 otherwise (an absent line too).
    // Shorter than four when an option line is not a number.
    QList<int> options;
    // The rule set of line 9 (true: WUKF); nothing when loading stopped.
    std::optional<bool> wukf;
};

Loaded interpret(const Lines& lines, const QLocale& locale);

// The values Save writes.
struct Settings {
    QString eindwav;
    QString waarwav;
    QString hsch;
    QString vsch;
    QString fsch;
    // Check23, Check24, Check25, Check26: ticked or not.
    std::array<bool, 4> options{};
};

// True when a text holds a carriage return or a line feed, which would
// shift every later line of the file.
bool hasLineBreak(const QString& text);

// The file's bytes: nine lines, each ending in CR LF; lines 1 to 5 the texts
// unchanged (UTF-8, so ASCII stays byte for byte), lines 6 to 9 " 1 " or
// " 0 ". Nothing when one of the five texts holds a line break.
std::optional<QByteArray> write(const Settings& settings);

// Windows-1252 to Unicode, byte for byte. The five bytes that code page
// leaves undefined map to the C1 controls of the same value, as Windows does.
QString fromWindows1252(const QByteArray& bytes);

} // namespace kestrane::SettingsFile
