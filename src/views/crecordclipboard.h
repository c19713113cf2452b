#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <string>

class QMimeData;

// The system clipboard's side of Copy, Cut and Paste. Records go there as the cockpit file's
// own text, twice: as plain text, for a text editor, and under the editor's own type, which
// also names the panel they were copied from. Any editor window, in this process or another,
// pastes either.
namespace RecordClipboard {

inline constexpr char kMimeType[] = "application/x-vireo-records";

// What Paste reads: the records' text (file bytes) and, when the editor put it there, the id of
// the panel they came from.
struct CContent
{
    std::string text;
    std::optional<int> panel;
};

// The clipboard data for text copied from panel panelId.
std::unique_ptr<QMimeData> MakeMimeData(const std::string& text, int panelId);
// What data holds: the editor's type first, else plain text. A plain text with characters a
// cockpit file cannot hold gives nothing, and refused names them.
std::optional<CContent> ReadMimeData(const QMimeData* data, QString* refused = nullptr);

void Put(const std::string& text, int panelId);
// Whether the clipboard holds anything Paste could read.
bool HasContent();
std::optional<CContent> Get(QString* refused = nullptr);

} // namespace RecordClipboard
