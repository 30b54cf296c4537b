#pragma once

#include <QByteArray>
#include <QIODevice>

#include <functional>

namespace kestrane {

class Kumite2;
namespace SettingsFile {
struct Settings;
}

// Start-up of the console and the Save button of the settings.
class StartUp {
public:
    explicit StartUp(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void Form_Load();
    void MyButton7_Click();

    // Writes Save's bytes into the new file; a test puts a failing writer here.
    std::function<qint64(QIODevice& file, const QByteArray& bytes)> writeBytes =
        [](QIODevice& file, const QByteArray& bytes) { return file.write(bytes); };

private:
    // Steps 6 to 11 of start-up: the settings file, loaded in place.
    void loadSettings();
    bool saveSettings(const SettingsFile::Settings& settings);

    Kumite2& m_k;
};

} // namespace kestrane
