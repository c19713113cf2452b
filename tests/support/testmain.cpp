#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#ifdef VIREO_TEST_WIDGETS
#include <QApplication>
using TestApp = QApplication;
#else
#include <QGuiApplication>
using TestApp = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    // Tests never need a display: render and widgets go to offscreen surfaces.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = "/tmp/runtime-" + QByteArray::number(getuid());
        mkdir(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    // What the editor keeps in the user's data folder (recovery journals) goes to a folder of
    // the tests'.
    char data[] = "/tmp/vireo-test-data-XXXXXX";
    const bool ownData = mkdtemp(data) != nullptr;
    if (ownData)
        qputenv("XDG_DATA_HOME", data);
    TestApp app(argc, argv);
    setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (ownData) {
        std::error_code ec;
        std::filesystem::remove_all(data, ec);
    }
    return result;
}
