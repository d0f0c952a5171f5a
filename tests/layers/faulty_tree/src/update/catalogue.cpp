#include "update/catalogue.h"
