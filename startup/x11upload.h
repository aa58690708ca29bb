#pragma once

// How repainted regions travel to an X server. Qt's X11 module hands them over in shared memory
// by default and, before the next paint may touch that memory, waits for the server to answer
// that it has read it: a round trip to the server for every frame. A frame of a movement is a
// few small boxes, which cost less to send through the connection itself, with no waiting. Call
// before the application object exists; a user's own QT_XCB_NO_MITSHM is left as it is.
void sendFramesThroughConnection();
