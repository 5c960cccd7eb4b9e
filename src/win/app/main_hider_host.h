// What the auto-hide needs of the main window, given by the window's parts.
#pragma once

#include <memory>

#include "app/auto_hider.h"

class TVantor;

std::unique_ptr<TAutoHideHost> MainHiderHost(TVantor& vantor);
