#pragma once

#include <QAccessible>

class QLabel;

// Installs a factory of accessible interfaces the first time it is asked for, and never twice,
// however many windows or widgets ask for it.
void installAccessibleFactoryOnce(QAccessible::InterfaceFactory factory);

// Makes screen readers see a top-level window built from a plain QWidget as a window (a frame)
// named by its title; Qt would present it as an unnamed filler.
void announceWindowsAsFrames();

// Makes screen readers see `bild`, a widget that paints a picture of its own, as a picture
// (a graphic) with its name and description; Qt would present it as a filler, which readers
// pass over. Call it before anything asks for its accessible interface.
void announceAsPicture(QWidget* bild);

// Makes screen readers see `zeile`, a line that tells what is going on, as a notification named
// by its text, so that announceNotification() has them speak it; readers pass over the new text
// of a plain label. Call it before anything asks for its accessible interface.
void announceAsNotification(QLabel* zeile);

// Has screen readers speak the text of `zeile`, made a notification above, if it is on screen.
void announceNotification(QLabel* zeile);
