#pragma once

// The start shared by every GUI test program. A test file ends with
// RIDEZU_GUI_TEST_MAIN(TestClass) in place of QTEST_MAIN: the program runs
// on the offscreen platform unless the caller chose one, makes the
// application as QtTest does, loads the program's resources, and points the
// settings store and the user's data and desktop folders at a temporary
// directory of its own, so that no test reads or writes the user's.

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class GuiTestFixture
{
public:
    // argc and argv are main's; the application keeps argc by reference.
    GuiTestFixture(int &argc, char **argv);
    ~GuiTestFixture();
    GuiTestFixture(const GuiTestFixture &) = delete;
    GuiTestFixture &operator=(const GuiTestFixture &) = delete;

    // Whether the temporary directory could be made; without it the test
    // program stops before its first test.
    bool isReady() const;

    // The directory of this process's settings store, with the user's data
    // folder ("share") and desktop ("Desktop") inside; programs the test
    // starts inherit the folders. Removed when the test program ends.
    static const QTemporaryDir &settingsDir();

private:
    std::unique_ptr<QApplication> m_application;
    std::unique_ptr<QTemporaryDir> m_settingsDir;
};

#define RIDEZU_GUI_TEST_MAIN(TestObject)                                                           \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        GuiTestFixture fixture(argc, argv);                                                        \
        if (!fixture.isReady())                                                                    \
            return 1;                                                                              \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
