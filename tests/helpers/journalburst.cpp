// An editor that makes a burst of edits with a recovery journal, slowly, telling on stdout how
// many are done; the test kills it part way.
#include "journalburst.h"
#include "crecordingui.h"
#include "crecoveryjournal.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    CRecordingUI ui;
    CVireoDoc doc;
    doc.SetUserInterface(&ui);
    CRecoveryJournal journal(doc, argv[2]);
    doc.SetJournal(&journal);
    if (!doc.OnOpenDocument(argv[1]))
        return 1;
    const int count = std::atoi(argv[3]);
    for (int i = 0; i < count; ++i) {
        BurstEdit(doc, i);
        std::printf("%d\n", i + 1);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::this_thread::sleep_for(std::chrono::seconds(60)); // waits for the kill
    return 0;
}
