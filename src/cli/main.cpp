#include "ccliapp.h"

#include <QGuiApplication>

#include <iostream>

int main(int argc, char** argv)
{
    // No window is ever shown: render and fonts work on an offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    CCliApp cli(std::cout, std::cerr);
    return cli.Run(args);
}
