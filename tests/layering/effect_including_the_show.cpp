// An effect reaching up into the show: the effects' include root must not find the header.
#include "show/director.h"
