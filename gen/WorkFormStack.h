// The process-wide stack of work forms: showing a work form puts it on top and disables the
// form below; hiding it takes it off and enables the form on top again. The bottom entry is a
// sentinel without a form.
#pragma once

#include <cstdint>

class TCustomForm;

// The form on top of the stack, or null (also with only the sentinel).
TCustomForm* CurrentWorkForm();

// Mode 1: the form is enabled when it is put on the stack and whenever it becomes the top
// again; any other mode gives it back the enabled state it had when covered.
void SetWorkForm(TCustomForm* form, std::int32_t key, std::int32_t mode);
void RemoveWorkForm(TCustomForm* form, std::int32_t key);

// The layer's start-up makes the stack with its sentinel; its stop frees it.
void CreateWorkFormStack();
void FreeWorkFormStack();
// Entries, the sentinel included (0 without a stack); for tests.
int WorkFormStackSize();
