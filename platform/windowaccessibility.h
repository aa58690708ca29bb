#pragma once

// Makes screen readers see a top-level window built from a plain QWidget as a window (a frame)
// named by its title; Qt would present it as an unnamed filler. Installed once.
void announceWindowsAsFrames();
