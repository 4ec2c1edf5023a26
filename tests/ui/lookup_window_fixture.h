// A stand-in for the lookup dialog in Win32 tests: a hidden window holding the controls the
// lookup window's parts reach by id, with the styles of the real templates.
#pragma once

#include <windows.h>

#include "resources/resource_ids.h"

inline HWND CreateLookupStandIn() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND dialog = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                  instance, nullptr);
    struct Child {
        const wchar_t* windowClass;
        int id;
        DWORD style;
    };
    const Child children[] = {
        {L"LISTBOX", IDC_WORD_LIST, LBS_NOTIFY | LBS_HASSTRINGS},
        {L"LISTBOX", IDC_TRANSLATION_LIST, LBS_NOTIFY | LBS_HASSTRINGS | LBS_SORT},
        {L"COMBOBOX", IDC_WORD_BOX, CBS_DROPDOWN | CBS_HASSTRINGS | CBS_AUTOHSCROLL},
        {L"COMBOBOX", IDC_DICTIONARY_LIST, CBS_DROPDOWNLIST | CBS_HASSTRINGS | CBS_SORT},
        {L"STATIC", IDC_STATUS_LINE, 0},
        {L"STATIC", IDC_MATCH_COUNT, 0},
        {L"BUTTON", IDC_COPY, BS_PUSHBUTTON},
        {L"BUTTON", IDC_CLIPBOARD, BS_PUSHBUTTON},
    };
    int y = 0;
    for (const Child& child : children) {
        CreateWindowExW(0, child.windowClass, L"", WS_CHILD | WS_VISIBLE | child.style, 0, y, 200,
                        child.windowClass[0] == L'C' ? 150 : 20, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), instance, nullptr);
        y += 25;
    }
    return dialog;
}
