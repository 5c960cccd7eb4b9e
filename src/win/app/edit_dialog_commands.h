// The commands that open the organise and properties dialogs from the main
// window's menus, keys and hot keys, and the properties dialogs the editing
// commands open for a new entry or page.
#pragma once

class TVantor;

void BindEditDialogs(TVantor& vantor);
