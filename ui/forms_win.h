// The three lookup-window forms on real windows: centring, the small form's layout and its
// remembered rectangle, the rectangle of a control, the frame-by-frame pictures of the notice,
// About and Tip of the Day dialogs, fonts created by enumerating the installed ones, and the
// dialogs' own data.
#pragma once

#include <windows.h>

#include "settings/settings.h"
#include "ui/forms.h"

// The data a dialog procedure was given through DialogBoxParamW's lParam: kept in GWLP_USERDATA
// at WM_INITDIALOG and read back for every later message; nullptr for the messages before it.
template <typename Data>
Data* DialogData(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
    }
    return reinterpret_cast<Data*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

// Centres the window over reference (when it exists and is at least as large as the window) or
// else on the screen, keeping its size. A window that no longer exists is left alone.
void SetDlgWindowPos(HWND window, HWND reference, BOOL repaint);

// The small form: restore = true when it opens (takes the remembered rectangle SRL..SRB of the
// settings when one is set), false on WM_SIZE (remembers the rectangle there and lays the
// controls out over the new size).
void LayoutSmallForm(HWND dialog, bool restore, Settings& settings);

// The control's window rectangle (the dialog's own for id 0) in the dialog's client coordinates.
// False, with an empty rectangle, when the control does not exist.
bool ControlClientRect(HWND dialog, int controlId, RECT* rect);

// Draws one frame of a picture sequence (bitmaps firstBitmapId .. firstBitmapId + lastFrame of
// the module instance) inside a static control. Action kFrameReset draws frame 0, kFrameNext the
// frame after the last one drawn (back to 0 after lastFrame). The frame counter is shared by every
// caller.
void ShowBitmapFrame(HINSTANCE instance, HWND dialog, int action, int controlId, int firstBitmapId,
                     int lastFrame);

// A font of the installed face with exactly this name (any case) in the character set, at the
// point size (size 0 keeps the enumerated height). wantedType is a font type (RASTER_FONTTYPE,
// DEVICE_FONTTYPE, TRUETYPE_FONTTYPE) or kAnyFontType. dc may be null: the window's is used.
// Null when the name is shorter than 3 characters or no such font is installed. The caller
// deletes the font.
HFONT CreateFontByName(HWND window, HDC dc, const char* faceName, int pointSize, int wantedType,
                       BYTE charSet);

// As CreateFontByName, but the enumerated full name need only begin with the face name, and
// needWeight / needItalic skip fonts whose weight / italic flag is 0.
HFONT CreateFontByNameAttr(HWND window, HDC dc, const char* faceName, int pointSize, int wantedType,
                           BYTE charSet, bool needWeight, bool needItalic);

// The enumeration callbacks of the two creation functions, exported by the program under these
// names.
extern "C" __declspec(dllexport) int CALLBACK
    EnumFontsFam(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType,
                 LPARAM parameter);
extern "C" __declspec(dllexport) int CALLBACK
    EnumFontsFamAttr(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType,
                     LPARAM parameter);
