#pragma once

#include <string>
#include <vector>

// The questions the frame asks while opening and saving files. The editor asks with dialogs;
// tests answer directly.
class IFramePrompts
{
public:
    enum Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~IFramePrompts() = default;
    // The cockpit file to open; empty when the user cancelled.
    virtual std::string AskOpenFileName() = 0;
    // The file to save to, starting from proposed; empty when the user cancelled.
    virtual std::string AskSaveFileName(const std::string& proposed) = 0;
    // "Save changes to <name>?"
    virtual Answer AskSaveChanges(const std::string& name) = 0;
    // Saving into folder, where the pictures (names as the file gives them) would not be found:
    // Yes copies them beside the new file, No saves without them, Cancel saves nothing.
    virtual Answer AskCopyPictures(const std::vector<std::string>& /*names*/,
                                   const std::string& /*folder*/)
    {
        return No;
    }
    // The question (UTF-8) offering the unsaved edits an editor left when it crashed: Yes
    // recovers them, No discards them.
    virtual Answer AskRecover(const std::string& /*question*/) { return No; }
};
