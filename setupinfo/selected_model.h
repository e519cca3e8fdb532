/*
 * The model chosen on the model page: the selected item of IDC_MODEL_LIST.
 */
#ifndef SETUP_SELECTED_MODEL_H
#define SETUP_SELECTED_MODEL_H

#include <windows.h>

/* Copies the text of the selected model list item into `name` (`size`
   bytes). Returns 0 and leaves `name` untouched when no item is selected or
   its text would not fit. */
int ReadSelectedModel(HWND page, char *name, int size);

#endif
