#pragma once
// The images the program sends and writes, built the same way by the window
// and by qorctl: the save image of "Save Settings" and the image of
// "Export Settings".

#include "settings/SettingsReport.h"

namespace qor {

// What a settings image becomes on its way through the window's lists: they
// hold bytes 2 and 3 as their selection, so a board ID or mode outside its
// list comes back as 255 (no selection); every other byte as it went in.
SettingsReport ThroughSelectionLists(const SettingsReport& settings);

// "Save Settings": report ID 0, CommandStore, bytes 2..4 and 6..32 from
// `settings`, and byte 5 as the board's last reply carried it.
SettingsReport SaveImage(const SettingsReport& settings, const SettingsReport& lastReply);

// "Export Settings": 0 in bytes 0, 1 and 5, the rest from `settings`.
SettingsReport ExportImage(const SettingsReport& settings);

}  // namespace qor
