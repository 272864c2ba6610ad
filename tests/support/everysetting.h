#pragma once

#include "settings/settings.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <utility>

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

namespace everysetting_detail {
struct AnyValue
{
    template <typename T> operator T() const;
};
} // namespace everysetting_detail

// How many fields an aggregate has: the most values it can be braced from.
// Settings counts its fields this way, so that a new one cannot be left out
// of the lists above unnoticed.
template <typename T, typename... Values> constexpr std::size_t fieldCount()
{
    using everysetting_detail::AnyValue;
    if constexpr (requires { T{std::declval<Values>()..., AnyValue{}}; })
        return fieldCount<T, Values..., AnyValue>();
    else
        return sizeof...(Values);
}
