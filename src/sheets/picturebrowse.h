#pragma once

#include <QSize>
#include <QStringList>

#include <functional>
#include <string>

class CCPManager;
class QLineEdit;
class QWidget;

// Name filters for choosing a picture: every format the picture loader reads, then all files.
QStringList PictureNameFilters();

// "Browse..." beside a picture's file name (current): a chooser over the picture formats,
// opened in the cockpit's folder, on the picture named now when it is there, with a small
// preview of the picture under the pointer and its size ("Preview", "Preview Size"). name is
// what the
// cockpit should store: the path relative to the cockpit's folder, with "/" separators, when
// the picture lies in that folder or below it; its full path otherwise, which the status bar
// then says. size is the picture's own (empty when not known). False when cancelled or when the
// name could not be read back from the cockpit file (the user has been told).
bool BrowsePicture(QWidget* parent, const CCPManager* manager, const std::string& current,
                   std::string& name, QSize& size);

// The picture file field with its "Browse..." button (BrowsePicture) beside it. A chosen
// picture's name goes into field, and its size into width and height (when given); picked,
// when given, hears the size after that.
QWidget* PictureFileRow(QLineEdit* field, const CCPManager* manager, QLineEdit* width = nullptr,
                        QLineEdit* height = nullptr, std::function<void(QSize)> picked = {});
