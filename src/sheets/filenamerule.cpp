#include "filenamerule.h"

#include "cdialogrunner.h"
#include "textconvert.h"

#include <QWidget>

bool FileNameReadsBack(const std::string& name)
{
    return name.find_first_of(" ,=;\t\r\n") == std::string::npos;
}

bool CheckFileName(QWidget* parent, const std::string& name, QWidget* field)
{
    if (FileNameReadsBack(name))
        return true;
    CDialogRunner::Message(
        parent, QStringLiteral("The file name \"%1\" contains a space, comma, \"=\" or \";\".\n"
                               "The cockpit file would read it back only up to that character.\n"
                               "Please use a name (and folder) without them.")
                    .arg(Latin1ToQt(name)));
    if (field)
        field->setFocus();
    return false;
}
