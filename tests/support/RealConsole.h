#pragma once

#include "about/Overfrm.h"
#include "console/ConsoleWindow.h"
#include "console/Kumite2.h"
#include "console/QtWindowPort.h"
#include "support/FakePorts.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace kestrane::test {

// The console with the real window port: the console window and a real
// About window.
struct RealConsole {
    QTemporaryDir dir;
    test::FakePorts ports;
    view::QtWindowPort windows;
    Kumite2 k{{ports.sound, ports.messages, ports.files, ports.screens, windows}, dir.path()};
    std::unique_ptr<view::ConsoleWindow> w;

    RealConsole()
    {
        k.startUp.Form_Load();
        w = std::make_unique<view::ConsoleWindow>(k);
        windows.setConsole(w.get());
        w->show();
        k.boards.show(1);
        k.state.Timer3.setEnabled(true); // a name blinks
    }
    ~RealConsole() { w.reset(); }

    void openAbout()
    {
        k.state.over.click();
        QVERIFY(windows.about());
        QVERIFY(windows.about()->isVisible());
    }
    // The console closed the way every close path must: invisible, timers
    // off, no board.
    void verifyClosed()
    {
        QVERIFY(!w->isVisible());
        QVERIFY(k.commands.closed());
        for (const Element* t :
             {&k.state.Timer1, &k.state.Timer2, &k.state.Timer3, &k.state.Timer4})
            QVERIFY(!t->enabled());
        QVERIFY(!k.boards.current());
    }
};

} // namespace kestrane::test
