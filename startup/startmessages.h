#pragma once

#include <QByteArray>
#include <QtGlobal>

// Qt's messages while the application object is made, held back until it exists. A platform
// that cannot start makes Qt print several English lines and abort; the program ends instead
// with status 1 and one German line, "<program>: ...". Qt's English warning about a style it
// does not know becomes one German line. Every other message is passed on, in its order, when
// the object goes.
class StartMessages {
public:
    // `platform` is the one Qt is told to use (-platform or QT_QPA_PLATFORM), empty for its own
    // choice; it is named in the message.
    StartMessages(const char* program, const QByteArray& platform);
    ~StartMessages();
    Q_DISABLE_COPY_MOVE(StartMessages)
};
