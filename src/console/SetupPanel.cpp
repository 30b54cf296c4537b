#include "console/SetupPanel.h"

#include "match/MatchState.h"
#include "platform/FileDialogPort.h"
#include "platform/MessagePort.h"
#include "platform/SoundPort.h"

namespace kestrane {

namespace {

constexpr double kClosedHeight = 6900;
constexpr double kOpenHeight = 8740;
// Any height up to here counts as closed, also one the operator dragged.
constexpr double kOpenThreshold = 8100;

constexpr int kBackspace = 8;

QString digitsOnly(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            out += c;
    }
    return out;
}

// The path and scale boxes are single lines of the settings file: a line
// break in one would shift every later line.
QString firstLine(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    return text.left(end);
}

int noLineBreak(int code)
{
    return (code == '\r' || code == '\n') ? 0 : code;
}

} // namespace

void SetupPanel::wire()
{
    MatchState& s = m_state;
    s.MyButton9.onClick = [this] { MyButton9_Click(); };
    s.setu.onClick = [this] { setu_Click(); };
    s.MyButton5.onClick = [this] { MyButton5_Click(); };
    s.MyButton8.onClick = [this] { MyButton8_Click(); };

    for (Element* box : {&s.ippon, &s.Text1, &s.Text5, &s.Text6}) {
        box->onKeyPress = [this](int code) { return digitFilter(code); };
        box->onFilterText = [](const QString& text) { return digitsOnly(text); };
    }
    for (Element* box : {&s.eindwav, &s.waarwav, &s.hsch, &s.vsch, &s.fsch}) {
        box->onKeyPress = [](int code) { return noLineBreak(code); };
        box->onFilterText = [](const QString& text) { return firstLine(text); };
    }
    m_sound.problemFound = [this](SoundPort::Sound sound, SoundPort::Problem problem) {
        showProblem(sound, problem);
    };
}

QString SetupPanel::problemText(SoundPort::Problem problem)
{
    using P = SoundPort::Problem;
    switch (problem) {
    case P::None:
        break;
    case P::Missing:
        return QStringLiteral("File not found");
    case P::Unreadable:
        return QStringLiteral("Cannot read file");
    case P::TooLarge:
        return QStringLiteral("File too large");
    case P::NotSound:
        return QStringLiteral("Not a sound file");
    case P::Unsupported:
        return QStringLiteral("Format not supported");
    case P::Damaged:
        return QStringLiteral("Damaged sound file");
    case P::Silent:
        return QStringLiteral("No sound in file");
    }
    return {};
}

// The player tells when it finds out, from its own reading; the operator
// reads it beside the path without a box to close in the middle of a match.
void SetupPanel::showProblem(SoundPort::Sound sound, SoundPort::Problem problem)
{
    MatchState& s = m_state;
    const bool end = sound == SoundPort::Sound::End;
    Element& box = end ? s.eindwav : s.waarwav;
    Element& why = end ? s.eindwavWhy : s.waarwavWhy;
    const QString text = problemText(problem);
    why.setCaption(text);
    why.setVisible(!text.isEmpty());
    box.setWidth(text.isEmpty() ? kPathWidth : kWhyLeft - 60 - box.left());
}

void SetupPanel::MyButton9_Click()
{
    MatchState& s = m_state;
    s.keyPreview = false;
    if (s.Kumite2.height() <= kOpenThreshold) {
        s.Kumite2.setHeight(kOpenHeight);
        s.MyButton9.setCaption(QStringLiteral("Close setup"));
    } else {
        s.Kumite2.setHeight(kClosedHeight);
        s.MyButton9.setCaption(QStringLiteral("Setup"));
        s.keyPreview = true;
    }
}

void SetupPanel::setu_Click()
{
    MatchState& s = m_state;
    s.Kumite2.setHeight(kOpenHeight);
    s.MyButton9.setCaption(QStringLiteral("Close setup"));
}

void SetupPanel::MyButton5_Click()
{
    chooseSoundFile(m_state.eindwav);
}

void SetupPanel::MyButton8_Click()
{
    chooseSoundFile(m_state.waarwav);
}

// A cancelled or failed dialog leaves the box as it was, without a message.
void SetupPanel::chooseSoundFile(Element& box)
{
    const FileDialogPort::Request request{QStringLiteral("Find soundfile"), QStringLiteral("*.wav"),
                                          QStringLiteral("*.wav"), QStringLiteral("\\")};
    const std::optional<QString> path = m_files.openFile(request);
    if (path)
        box.setText(*path);
}

int SetupPanel::digitFilter(int code)
{
    if ((code >= '0' && code <= '9') || code == kBackspace)
        return code;
    if (code == '.')
        m_messages.show(QStringLiteral(" only full numbers allowed !"), MessagePort::Exclamation);
    return 0;
}

} // namespace kestrane
