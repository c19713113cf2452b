#pragma once

#include <QString>

#include <string>

// Record texts (comments, file names) are bytes shown as Latin-1 and written back unchanged.
QString Latin1ToQt(const std::string& bytes);
std::string QtToLatin1(const QString& text);

// Messages of the model mix record bytes with file paths: UTF-8 when the bytes are valid
// UTF-8, Latin-1 otherwise.
QString MessageToQt(const std::string& bytes);
