#pragma once

#include <QByteArray>
#include <QSettings>

// The user settings' INI text, read and written by our own code so that a write can be checked
// at every step before it replaces the file. It follows QSettings' own INI format: a file
// either one writes reads back the same through the other.
namespace Sorven::SettingsIniFile {

// Keys "group/key" go to the section "[group]", keys without a group to "[General]".
QByteArray serialize(const QSettings::SettingsMap &values);
// Reads every line it understands and passes over the others, as QSettings does.
QSettings::SettingsMap parse(const QByteArray &text);

} // namespace Sorven::SettingsIniFile
