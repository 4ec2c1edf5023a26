// Names that screen readers read for controls whose look carries no text of their own: the
// owner-drawn buttons, the lists and the combo boxes. A button's name is its window text, which
// owner drawing never shows. A list or combo box takes its name from a label before it, and
// its window text is not read (a combo box's is even its edit field's text); such a control
// answers the accessibility client's WM_GETOBJECT with the system's own object for it, whose
// name alone is ours.
#pragma once

#include <windows.h>

#include <string>

// Sets the name an owner-drawn button is read by.
void SetButtonName(HWND button, const std::wstring& name);

// Sets the name a list box or combo box (and a combo box's edit field) is read by; a later call
// replaces it. The control keeps it until it is destroyed.
void SetAccessibleName(HWND control, const std::wstring& name);
