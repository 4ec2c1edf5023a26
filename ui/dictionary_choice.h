// The dictionary the lookup window opens: the entry the user chose in the "Dictionary to use"
// list, or, when its files cannot be opened, the entry that was open before it (or the first
// that opens), so that neither a change nor a saved choice can leave the window without one.
#pragma once

#include "engine/catalogue.h"

// Opens the selected entry of the dialog's list. When it cannot be opened (the notice 14510 has
// then been shown), selects and opens `previous` (the entry open before; -1 for none) or else
// the first entry of the list that opens, without a further notice. The index of the entry
// open at the end, or -1 when none opens.
int OpenDictionaryChoice(Engine& engine, Catalogue& catalogue, CatalogueDialog& dialog,
                         int previous);
