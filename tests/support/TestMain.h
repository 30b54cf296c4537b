#pragma once

#include <QtTest>

// Like QTEST_MAIN, but on the offscreen platform unless one is chosen, so a
// build that lists or runs the tests never needs a display.
#define KESTRANE_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        QTEST_DISABLE_KEYPAD_NAVIGATION                                                            \
        TestClass tc;                                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

// The same on an offscreen desktop of two screens: an operator screen of
// 1280 x 800 (primary) and an audience screen of 1920 x 1080 to its right,
// all of ratio 1. KESTRANE_SCREEN_RATIO=2 swaps them: the primary, of ratio
// 2, right of an audience screen of ratio 1.
#define KESTRANE_TWO_SCREEN_TEST_MAIN(TestClass)                                                   \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM",                                                                 \
                qgetenv("KESTRANE_SCREEN_RATIO") == "2"                                            \
                    ? "offscreen:configfile=" KESTRANE_TEST_SUPPORT_DIR "/two-screens-ratio2.json" \
                    : "offscreen:configfile=" KESTRANE_TEST_SUPPORT_DIR "/two-screens.json");      \
        QApplication app(argc, argv);                                                              \
        TestClass tc;                                                                              \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

// For model tests: no GUI application at all.
#define KESTRANE_MODEL_TEST_MAIN(TestClass) QTEST_GUILESS_MAIN(TestClass)
