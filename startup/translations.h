#pragma once

#include <QString>

class QCoreApplication;

// Makes the texts that Qt itself shows (context menus, standard dialogs, button boxes) German,
// whatever the system's language, since the whole interface is German. Returns false, and
// leaves them in English, where Qt's German catalogue is not found in `folder` (Qt's own
// translations folder unless given).
bool installGermanToolkitTexts(QCoreApplication& application, const QString& folder = {});
