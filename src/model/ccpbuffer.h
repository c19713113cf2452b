#pragma once

#include "cbitmap.h"
#include "ccprecord.h"

#include <memory>

// A BUFFER record: an image file and its size. SURFACE records cut their pictures from it.
class CCPBuffer : public CCPTypedRecord<CCPBuffer>
{
public:
    std::string m_strPath; // m_strFile resolved against the cockpit's folder
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::string m_strFile;
    bool m_bLoaded = false;
    // The loaded picture, kept until ReleasePicture; buffers naming the same file share it.
    std::shared_ptr<const CBitmap> m_pPicture;

    CCPBuffer() = default;
    explicit CCPBuffer(CCPManager* manager) : CCPTypedRecord(manager) {}
    // Reads the keys up to "#end".
    CCPBuffer(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    // Copies leave the picture behind; it is loaded again when drawn.
    std::unique_ptr<CCPObject> CopyFields() const override;
    void AssignFields(const CCPObject& from) override;
    void Serialize(CLineWriter& ar) override { Write(ar, false); }

    // embedded: only the keys and "#end", as the block after an instrument's blitbackground.
    void Write(CLineWriter& ar, bool embedded);
    // Sets m_strFile and recomputes m_strPath; the picture is loaded again when next drawn.
    void SetFile(const std::string& file);
    // Whether m_strPath is m_strFile in the cockpit's folder as it is now: an undo or a save in
    // another folder changes either.
    bool PathIsCurrent() const;
    // The picture, loaded through the manager on first use. Null when it cannot be loaded;
    // the failure is reported once until ReleasePicture.
    const CBitmap* GetPicture();
    void ReleasePicture();

private:
    // What m_strPath was resolved from.
    std::string m_strPathFile;
    std::string m_strPathFolder;
};
