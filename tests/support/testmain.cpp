#include "filepaths.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#ifdef VIREO_TEST_QT
#include <sys/stat.h>
#include <unistd.h>
#ifdef VIREO_TEST_WIDGETS
#include <QApplication>
using TestApp = QApplication;
#else
#include <QGuiApplication>
using TestApp = QGuiApplication;
#endif
#endif

namespace {
// A new folder under the system's temporary folder.
std::string MakeTempFolder(const std::string& stem)
{
    std::random_device seed;
    std::error_code ec;
    const auto base = std::filesystem::temp_directory_path(ec);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto folder = base / (stem + std::to_string(seed() % 1000000000u));
        if (std::filesystem::create_directory(folder, ec))
            return PathText(folder);
    }
    return std::string();
}
} // namespace

int main(int argc, char** argv)
{
#ifdef VIREO_TEST_QT
    // Tests never need a display: render and widgets go to offscreen surfaces.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = "/tmp/runtime-" + QByteArray::number(getuid());
        mkdir(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
#endif
    // What the editor keeps in the user's data folder (recovery journals) goes to a folder of
    // the tests'.
    const std::string data = MakeTempFolder("vireo-test-data-");
#ifdef VIREO_TEST_QT
    if (!data.empty())
        qputenv("XDG_DATA_HOME", data.c_str());
    TestApp app(argc, argv);
#endif
    setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (!data.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(SystemPath(data), ec);
    }
    return result;
}
