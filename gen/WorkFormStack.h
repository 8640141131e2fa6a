// The process-wide stack of work forms: showing a work form puts it on top and disables the
// form below; hiding it takes it off and enables the form on top again.
#pragma once

#include <cstdint>

class TCustomForm;

// The form on top of the stack, or null (also with only the sentinel).
TCustomForm* CurrentWorkForm();
