// The open() flags a system may lack, as 0 where it has no such behaviour.
#pragma once
#include <fcntl.h>

// Windows opens files in text mode unless told otherwise, and has no
// close-on-exec, no links to refuse, no controlling terminal to gain and no
// pipes that an open could wait on.
#ifndef O_BINARY
#define O_BINARY 0
#endif
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef O_NOFOLLOW
#define O_NOFOLLOW 0
#endif
#ifndef O_NOCTTY
#define O_NOCTTY 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
