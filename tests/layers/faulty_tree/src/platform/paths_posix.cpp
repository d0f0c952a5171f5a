#include "platform/paths.h"
#include "ui/palette.h"
