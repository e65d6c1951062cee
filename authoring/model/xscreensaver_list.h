// Adding a saver to the programs list of xscreensaver's per-user file (~/.xscreensaver).
// The user's file is never rewritten in place: the new text is written beside it and
// renamed over it, so a failure leaves the old file as it was.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "common/report.h"

namespace orb {

// The command line xscreensaver runs for a saver: the launcher (quoted for the
// shell when it needs to be) followed by -root.
std::string XScreenSaverCommand(const std::filesystem::path& launcher);

// `text` with the entry `"LABEL"  COMMAND` put first in its "programs:" resource.
// Nothing when the file has no programs list to add to. When an entry with the same
// command is there already, `text` comes back unchanged.
std::optional<std::string> AddToProgramsList(const std::string& text, const std::string& label,
                                             const std::string& command);

// $HOME/.xscreensaver (the file a symbolic link there points at).
std::filesystem::path XScreenSaverFile();

// Checks that `file` exists and has a programs list; reports why not.
bool CanListInXScreenSaver(const std::filesystem::path& file, ReportSink& sink);

// Adds the entry to `file`, keeping its permissions. False after a report.
bool ListInXScreenSaver(const std::filesystem::path& file, const std::string& label, const std::string& command,
                        ReportSink& sink);

}  // namespace orb
