#pragma once

#include <QString>

#include <string>

// Record texts (comments, file names) are bytes shown as Latin-1 and written back unchanged.
QString Latin1ToQt(const std::string& bytes);
std::string QtToLatin1(const QString& text);

// The characters of text that a single-byte cockpit file cannot hold (QtToLatin1 would turn
// them into "?"), each once, in the order they first appear; empty when text fits.
QString CharsNotInLatin1(const QString& text);
// The message that refuses them: what names the field ("The comment", "The name").
QString NotInLatin1Message(const QString& what, const QString& chars);

// Messages of the model mix record bytes with file paths: UTF-8 when the bytes are valid
// UTF-8, Latin-1 otherwise.
QString MessageToQt(const std::string& bytes);

// A path as the core holds it and back: the bytes the system knows on POSIX systems, UTF-8 on
// Windows (where Qt's own 8-bit file names are the ANSI code page's, which cannot hold every
// name).
std::string PathToCore(const QString& path);
QString PathFromCore(const std::string& path);
