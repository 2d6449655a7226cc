// Watches the GDI objects and device contexts that the program's own code
// makes and frees, by redirecting its imports of the making and freeing
// calls. GetGuiResources cannot count them under Wine.
#pragma once

#include <cstddef>

void StartTrackingGdi(); // forgets everything seen so far
void StopTrackingGdi();
std::size_t LiveGdiObjects(); // made since the start and not yet freed
