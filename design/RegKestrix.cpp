#include "design/RegKestrix.h"
