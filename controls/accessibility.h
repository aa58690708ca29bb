#pragma once

#include <QAccessible>

// Installs a factory of accessible interfaces the first time it is asked for, and never twice,
// however many windows or widgets ask for it.
void installAccessibleFactoryOnce(QAccessible::InterfaceFactory factory);

// Makes screen readers see a top-level window built from a plain QWidget as a window (a frame)
// named by its title; Qt would present it as an unnamed filler.
void announceWindowsAsFrames();
