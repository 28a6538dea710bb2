#include <QApplication>
#include <QByteArray>
#include <cstring>
#include <gtest/gtest.h>

// One QApplication for every test of an executable. Listing the tests (CTest
// discovery) needs no display, so no application is made for it.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0)
            return RUN_ALL_TESTS();
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_MEDIA_BACKEND");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
