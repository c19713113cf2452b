#pragma once

#include <string>

class QWidget;

// A file name stands in the cockpit file as one token, so it cannot hold a character that ends
// a token (space, comma, "=", ";", tab or line break): it would be read back cut short.
bool FileNameReadsBack(const std::string& name);

// Shows why name cannot be used, puts the focus on field (when given) and returns false; true
// when the name can be used.
bool CheckFileName(QWidget* parent, const std::string& name, QWidget* field = nullptr);
