#include "filenamerule.h"

#include "cdialogrunner.h"
#include "textconvert.h"

bool FileNameReadsBack(const std::string& name)
{
    return name.find_first_of(" ,=;\t\r\n") == std::string::npos;
}

bool CheckFileName(QWidget* parent, const std::string& name)
{
    if (FileNameReadsBack(name))
        return true;
    CDialogRunner::Message(
        parent, QStringLiteral("The file name \"%1\" contains a space, comma, \"=\" or \";\".\n"
                               "The cockpit file would read it back only up to that character.\n"
                               "Please use a name (and folder) without them.")
                    .arg(Latin1ToQt(name)));
    return false;
}
