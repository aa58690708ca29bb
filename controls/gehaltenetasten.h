#pragma once

// Qt tells a key that the keyboard repeats while it is held (QKeyEvent::isAutoRepeat) by
// looking for a press right behind a release with the same time stamp; on a busy machine that
// press may not have arrived yet when Qt looks, and the repeat passes for a new press. From the
// first call on, every press of a key with the time stamp of its release just before reaches
// the program as the repeat it is, so that what must act once per press acts once. A screen
// reader's bridge takes the keys before the program and hands them on without time stamps; the
// first such copy puts this check in front of the bridge again.
void erkenneGehalteneTasten();
