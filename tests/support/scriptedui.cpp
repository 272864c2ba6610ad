#include "scriptedui.h"

namespace mosaicon::platform {

namespace {

QString kindName(ScriptedUi::Kind kind)
{
    switch (kind) {
    case ScriptedUi::Kind::Message:
        return QStringLiteral("message box");
    case ScriptedUi::Kind::Input:
        return QStringLiteral("input box");
    case ScriptedUi::Kind::File:
        return QStringLiteral("file dialog");
    case ScriptedUi::Kind::Color:
        return QStringLiteral("colour dialog");
    case ScriptedUi::Kind::Modal:
        return QStringLiteral("modal window");
    }
    return {};
}

} // namespace

void ScriptedUi::setFailureHandler(FailureHandler handler)
{
    m_onFailure = std::move(handler);
}

void ScriptedUi::stopTest(const QString& reason)
{
    qFatal("%s", qPrintable(reason));
}

ScriptedUi& ScriptedUi::expectMessage(std::optional<QString> text, int answer, std::function<void()> whileShown)
{
    std::function<void(QObject*)> action;
    if (whileShown)
        action = [whileShown = std::move(whileShown)](QObject*) { whileShown(); };
    m_expected.append({Kind::Message, std::move(text), answer, {}, {}, std::move(action)});
    return *this;
}

ScriptedUi& ScriptedUi::expectInput(std::optional<QString> prompt, std::optional<QString> answer)
{
    m_expected.append({Kind::Input, std::move(prompt), 0, std::move(answer), {}, {}});
    return *this;
}

ScriptedUi& ScriptedUi::expectFile(std::optional<QString> title, std::optional<QString> answer)
{
    m_expected.append({Kind::File, std::move(title), 0, std::move(answer), {}, {}});
    return *this;
}

ScriptedUi& ScriptedUi::expectColor(std::optional<QColor> answer)
{
    m_expected.append({Kind::Color, std::nullopt, 0, {}, answer, {}});
    return *this;
}

ScriptedUi& ScriptedUi::expectModal(const QString& windowName, std::function<void(QObject*)> action)
{
    m_expected.append({Kind::Modal, windowName, 0, {}, {}, std::move(action)});
    return *this;
}

QStringList ScriptedUi::problems() const
{
    QStringList all = m_failures;
    for (const Expected& e : m_expected)
        all.append(QStringLiteral("expected %1 \"%2\" was never raised")
                       .arg(kindName(e.kind), e.text.value_or(QStringLiteral("(any)"))));
    return all;
}

void ScriptedUi::clear()
{
    m_expected.clear();
    m_asked.clear();
    m_failures.clear();
}

std::optional<ScriptedUi::Expected> ScriptedUi::take(Kind kind, const QString& text)
{
    if (m_expected.isEmpty()) {
        fail(QStringLiteral("unexpected %1: \"%2\"").arg(kindName(kind), text));
        return std::nullopt;
    }
    const Expected& next = m_expected.first();
    if (next.kind != kind || (next.text && *next.text != text)) {
        fail(QStringLiteral("%1 \"%2\" raised where %3 \"%4\" was expected")
                 .arg(kindName(kind), text, kindName(next.kind),
                      next.text.value_or(QStringLiteral("(any)"))));
        return std::nullopt;
    }
    return m_expected.takeFirst();
}

void ScriptedUi::fail(const QString& reason)
{
    m_failures.append(reason);
    if (m_onFailure)
        m_onFailure(reason);
}

int ScriptedUi::messageBox(const QString& text, int style, const QString& title)
{
    m_asked.append({Kind::Message, text, title, style, {}});
    if (auto e = take(Kind::Message, text)) {
        if (e->action)
            e->action(nullptr);
        return e->answer;
    }
    return (style & 7) == MsgBox::OkOnly ? MsgBox::Ok : MsgBox::Cancel;
}

std::optional<QString> ScriptedUi::inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText)
{
    m_asked.append({Kind::Input, prompt, title, 0, defaultText});
    if (auto e = take(Kind::Input, prompt))
        return e->textAnswer;
    return std::nullopt;
}

std::optional<QString> ScriptedUi::fileDialog(const FileDialogRequest& request)
{
    m_asked.append({Kind::File, request.title, request.filter, 0, request.initialDirectory});
    if (auto e = take(Kind::File, request.title))
        return e->textAnswer;
    return std::nullopt;
}

std::optional<QColor> ScriptedUi::colorDialog(const QColor& initial)
{
    m_asked.append({Kind::Color, initial.name(), {}, 0, {}});
    if (auto e = take(Kind::Color, initial.name()))
        return e->colorAnswer;
    return std::nullopt;
}

bool ScriptedUi::showModal(const QString& windowName, QObject* window)
{
    m_asked.append({Kind::Modal, windowName, {}, 0, {}});
    auto e = take(Kind::Modal, windowName);
    if (e && e->action)
        e->action(window);
    return e.has_value();
}

} // namespace mosaicon::platform
