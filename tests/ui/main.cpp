// The widget tests need a QApplication before the first widget; the platform (offscreen) comes from
// the test environment.

#include "host/process.h"
#include "program_start.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // A copy started by StartWindowProgram is the window program, not a test run.
    if (ReportAsWindowProgram(argc, argv))
        return 0;
    testing::InitGoogleTest(&argc, argv);
    host::InitProcess(argc, argv);
    // Listing the tests, as CTest's discovery does, needs no window system.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    // Collation and number formats follow this locale, not the machine's.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    return RUN_ALL_TESTS();
}
