// The bars' host is the main window: an adapter, so the bars know no more of
// the window than the few things they use.
#pragma once

#include <memory>

#include "bars/bar_host.h"

class TVantor;

std::unique_ptr<TBarHost> MainBarHost(TVantor& vantor);
