#include "settings.h"

std::int32_t Language;
