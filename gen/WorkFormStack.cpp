#include "gen/WorkFormStack.h"

TCustomForm* CurrentWorkForm() { return nullptr; }
