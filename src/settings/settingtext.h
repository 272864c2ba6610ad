#pragma once

#include <QString>

namespace mosaicon {

// A string setting: unset (no value at all, as every string setting is before
// the settings file is first read) or a text, possibly empty. Saving an unset
// setting removes its key from the settings file.
class SettingText
{
public:
    SettingText() = default;
    SettingText(const QString& text) : m_text(text), m_set(true) {}
    SettingText(const char* text) : m_text(QString::fromUtf8(text)), m_set(true) {}

    SettingText& operator=(const QString& text)
    {
        m_text = text;
        m_set = true;
        return *this;
    }

    bool isSet() const { return m_set; }
    void unset()
    {
        m_text.clear();
        m_set = false;
    }
    const QString& text() const { return m_text; }
    operator const QString&() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }

    friend bool operator==(const SettingText& a, const SettingText& b)
    {
        return a.m_set == b.m_set && a.m_text == b.m_text;
    }

private:
    QString m_text;
    bool m_set = false;
};

} // namespace mosaicon
