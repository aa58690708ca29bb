#include "startup/startmessages.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

struct Held {
    QtMsgType type;
    QByteArray category;
    QString text; // Qt's message, or the German line that replaces it
    bool german = false;
};

struct State {
    QMutex mutex; // Qt may write from its threads as well
    QByteArray program;
    QByteArray platform;
    QList<Held> held;
    QtMessageHandler previous = nullptr;
    bool holding = false;
};

State& state()
{
    static State s;
    return s;
}

// The names Qt lists after `label` in one of its messages ("Available styles: Windows, Fusion"),
// in alphabetical order; the words around them are Qt's English.
QStringList namesAfter(const QString& message, QLatin1String label)
{
    const qsizetype at = message.indexOf(label);
    if (at < 0)
        return {};
    QString names = message.mid(at + label.size()).trimmed();
    if (names.endsWith(QLatin1Char('.')))
        names.chop(1);
    QStringList list = names.split(QStringLiteral(", "), Qt::SkipEmptyParts);
    list.sort();
    return list;
}

// Qt gives up when no platform plugin could be made: one German line and status 1, as when the
// program finds no display itself. Qt would abort right after this message.
[[noreturn]] void platformFailed(const State& s, const QString& message)
{
    const QStringList known = namesAfter(message, QLatin1String("Available platform plugins are:"));
    const QString name = QString::fromLocal8Bit(s.platform);
    const QString base = name.section(QLatin1Char(';'), 0, 0).section(QLatin1Char(':'), 0, 0);
    QString line;
    if (name.isEmpty())
        line = QStringLiteral("Qt konnte keine Plattform für das Fenster starten.");
    else if (!name.contains(QLatin1Char(';')) && !known.isEmpty() && !known.contains(base))
        line = QStringLiteral("Eine Plattform „%1“ gibt es nicht; es gibt %2.")
                   .arg(name, known.join(QStringLiteral(", ")));
    else
        line = QStringLiteral("Die Plattform „%1“ lässt sich nicht starten.").arg(name);
    std::fprintf(stderr, "%s: %s\n", s.program.constData(), line.toUtf8().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

// Qt's "invalid style override 'NAME' passed, ignoring it" in German.
std::optional<QString> styleWarning(const QString& message)
{
    if (!message.startsWith(QLatin1String("QApplication: invalid style override")))
        return std::nullopt;
    const QString name = message.section(QLatin1Char('\''), 1, 1);
    const QStringList known = namesAfter(message, QLatin1String("Available styles:"));
    return QStringLiteral("Einen Stil „%1“ gibt es nicht; das Fenster zeigt Qts eigenen (es gibt "
                          "%2).")
        .arg(name, known.join(QStringLiteral(", ")));
}

void hold(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    State& s = state();
    const QMutexLocker lock(&s.mutex);
    if (s.holding && type == QtFatalMsg && message.contains(QLatin1String("platform plugin")))
        platformFailed(s, message);
    if (!s.holding || type == QtFatalMsg) {
        // Too late to hold, or a failure the program does not know: Qt's own words.
        s.previous(type, context, message);
        return;
    }
    if (const std::optional<QString> german = styleWarning(message))
        s.held.append({type, {}, *german, true});
    else
        s.held.append({type, context.category, message});
}

} // namespace

StartMessages::StartMessages(const char* program, const QByteArray& platform)
{
    State& s = state();
    const QMutexLocker lock(&s.mutex);
    s.program = program;
    s.platform = platform;
    s.held.clear();
    s.previous = qInstallMessageHandler(hold);
    s.holding = true;
}

StartMessages::~StartMessages()
{
    State& s = state();
    const QMutexLocker lock(&s.mutex);
    qInstallMessageHandler(s.previous);
    s.holding = false;
    for (const Held& held : std::as_const(s.held)) {
        if (held.german) {
            std::fprintf(stderr, "%s: %s\n", s.program.constData(), held.text.toUtf8().constData());
            continue;
        }
        const QMessageLogContext context(
            nullptr, 0, nullptr, held.category.isNull() ? nullptr : held.category.constData());
        s.previous(held.type, context, held.text);
    }
    s.held.clear();
}
