// GUI test support: find, read, answer and photograph windows under Wine or Windows.
#pragma once

#include "tests/support/GuiAnswerer.h"
#include "tests/support/GuiInput.h"
#include "tests/support/GuiPump.h"
#include "tests/support/GuiWindow.h"
#include "tests/support/OtherThreadWindow.h"
#include "tests/support/Screenshot.h"
#include "tests/support/XInput.h"
