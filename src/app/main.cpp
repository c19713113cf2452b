#include "ctoolbarart.h"
#include "cvireoapp.h"
#include "textconvert.h"

#include <QApplication>
#include <QTimer>

#include <clocale>
#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
#ifdef SIGXFSZ
    // Past a file size limit a save must fail with a message, not end the editor and lose
    // the unsaved work.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication qapp(argc, argv);
    // Qt takes the user's locale; the file format always writes and reads a decimal point.
    setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationName(QStringLiteral("Vireo"));
    QApplication::setWindowIcon(CToolBarArt::AppIcon());

    // vireo [cockpit.dat]; --screenshot out.png [--panel id] [--record id] saves a picture of
    // the window and quits (used to make the README's screenshot).
    QStringList files;
    QString screenshot;
    int panelId = 0, recordId = 0;
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--screenshot") && i + 1 < arguments.size())
            screenshot = arguments[++i];
        else if (a == QLatin1String("--panel") && i + 1 < arguments.size())
            panelId = arguments[++i].toInt();
        else if (a == QLatin1String("--record") && i + 1 < arguments.size())
            recordId = arguments[++i].toInt();
        else
            files << a;
    }

    CVireoApp app;
    if (!app.InitInstance(files))
        return 1;
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(500, &qapp, [&] {
            const bool saved = app.SaveScreenshot(PathToCore(screenshot), panelId, recordId);
            if (!saved)
                std::fprintf(stderr, "vireo: cannot write %s\n", qPrintable(screenshot));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return qapp.exec();
}
