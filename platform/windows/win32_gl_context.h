// The window's WGL context, let go before the window.
#pragma once

void deleteGlContext(); // safe without a context
