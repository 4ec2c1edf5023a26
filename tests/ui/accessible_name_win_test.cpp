// What an accessibility client (oleacc, as a screen reader uses it) reads as the names of
// controls named for screen readers.
#include "ui/accessible_name_win.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

namespace {

class AccessibleNameTest : public testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        parent_ = CreateWindowW(L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        CoUninitialize();
    }

    HWND Child(const wchar_t* className, DWORD style, int id) {
        return CreateWindowW(className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 150, 120, parent_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    // The name of the window's client object, or of one of its items; "<none>" when it has none.
    static std::wstring ReadName(HWND window, long child = CHILDID_SELF) {
        IAccessible* accessible = nullptr;
        if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&accessible)))) {
            return L"<no object>";
        }
        VARIANT which;
        VariantInit(&which);
        which.vt = VT_I4;
        which.lVal = child;
        BSTR name = nullptr;
        HRESULT result = accessible->get_accName(which, &name);
        accessible->Release();
        std::wstring text = result == S_OK && name ? std::wstring(name) : L"<none>";
        SysFreeString(name);
        return text;
    }

    HWND parent_ = nullptr;
};

TEST_F(AccessibleNameTest, OwnerDrawnButtonIsReadByItsName) {
    HWND button = Child(L"BUTTON", BS_OWNERDRAW, 100);
    SetButtonName(button, L"Letter A");
    EXPECT_EQ(ReadName(button), L"Letter A");
}

TEST_F(AccessibleNameTest, ListIsReadByItsNameAndItsItemsAsBefore) {
    HWND list = Child(L"LISTBOX", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 12000);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"house"));
    EXPECT_NE(ReadName(list), L"Matching words");
    // What the system says of an item (its text on Windows; Wine names no list items).
    const std::wstring item = ReadName(list, 1);
    SetAccessibleName(list, L"Matching words");
    EXPECT_EQ(ReadName(list), L"Matching words");
    EXPECT_EQ(ReadName(list, 1), item);
    // A second name replaces the first (the interface language changed).
    SetAccessibleName(list, L"\x039b\x03ad\x03be\x03b5\x03b9\x03c2");
    EXPECT_EQ(ReadName(list), L"\x039b\x03ad\x03be\x03b5\x03b9\x03c2");
}

TEST_F(AccessibleNameTest, ComboBoxAndItsEditFieldAreReadByTheName_AndTheTypedTextStays) {
    HWND combo = Child(L"COMBOBOX", CBS_DROPDOWN, 12003);
    SetWindowTextW(combo, L"hou");
    SetAccessibleName(combo, L"Word to translate");
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    EXPECT_EQ(ReadName(combo), L"Word to translate");
    EXPECT_EQ(ReadName(info.hwndItem), L"Word to translate");
    wchar_t text[20] = {};
    GetWindowTextW(combo, text, 20);
    EXPECT_STREQ(text, L"hou");
}

}  // namespace
