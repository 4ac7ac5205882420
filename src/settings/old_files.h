// The calendar and memo files that Ver1.64 and earlier kept in the program
// folder, and their copy into the user's document folder.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dustora {

// Whether a file name ends in "dsc" or "mmo", in any case; the dot is not
// looked at, so "notedsc" counts.
[[nodiscard]] bool IsOldFileName(std::string_view name);

// The full paths of the old files under `program_folder` and its subfolders.
// Each folder's files are put on top of the list in listing order before
// its subfolders are searched, so the folder searched last comes first.
[[nodiscard]] std::vector<std::string> FindOldFiles(std::string_view program_folder);

// Copies each source, first to last, to document_folder + "/" + its file
// name when the source still exists and nothing stands at the target (a
// file there is never overwritten); `after_each` runs after every source.
// False when a copy failed; the sources after it are left alone.
[[nodiscard]] bool CopyOldFiles(const std::vector<std::string>& sources, std::string_view document_folder,
                                const std::function<void()>& after_each);

}  // namespace dustora
