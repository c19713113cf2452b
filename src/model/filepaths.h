#pragma once

#include <string>

// The full path of a file named inside a cockpit. Relative names resolve against folder;
// "\" separators are read as "/", and when the name does not exist as written, each part of
// it is matched against the folder's entries without regard to case.
std::string ResolveCockpitPath(const std::string& folder, const std::string& name);

// The folder part of a path, with its trailing separator ("" when there is none).
std::string FolderOf(const std::string& path);
// The file name part of a path.
std::string FileNameOf(const std::string& path);
// Why path cannot be read, in the system's words ("No such file or directory"); empty when
// it can be read after all.
std::string ReadFailureReason(const std::string& path);

// Reads a whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& data);
// Writes data to a temporary file beside path, then replaces path with it, so a failed write
// leaves the old file as it was. False (with errorText set) on failure.
bool WriteFileSafely(const std::string& path, const std::string& data, std::string* errorText = nullptr);
