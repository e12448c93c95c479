// Small text files read whole and replaced whole, so that no reader ever sees half of a write.
#pragma once

#include <optional>
#include <string>

namespace sonaru::platform {

/// The file's whole text; an empty text when nothing is at `path`; nothing when something is there that
/// cannot be read as a regular file. Never waits on a FIFO or a device.
std::optional<std::string> ReadWholeFile(const std::string& path);

/// Replaces the file at `path` (a symbolic link: its target) with `text`, creating its folder when
/// missing. False, with the file as it was, when the file is write-protected, is not a regular file, or
/// cannot be written. The new text is on the disk, under its name, when this answers true.
bool ReplaceWholeFile(const std::string& path, const std::string& text);

}  // namespace sonaru::platform
