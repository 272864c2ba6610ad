#pragma once

#include "settings/settings.h"

#include <QString>
#include <QStringList>

class TestProgram;

// Every setting as "name = value", so a failed comparison names the setting.
QStringList describe(const mosaicon::Settings& s);
// What READ gives every setting when the settings file says nothing (no icon files in the folder).
mosaicon::Settings defaultSettings(const QString& folder);
// Every setting away from its default (the files it names are filesOfEverySetting).
mosaicon::Settings everySettingChanged(const QString& folder);
// The files everySettingChanged names, below the program folder.
extern const QStringList filesOfEverySetting;
// Small files of these names below the program folder, with their folders.
void createFiles(const TestProgram& tp, const QStringList& names);
