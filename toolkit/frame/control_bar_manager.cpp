#include "toolkit/frame/control_bar_manager.h"

IMPLEMENT_DYNAMIC(SECControlBarManager, CObject)
