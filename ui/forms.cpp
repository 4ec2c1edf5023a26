#include "ui/forms.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "resources/resource_ids.h"

LookupForm LookupFormOf(int formType, int dialogState) {
    if (dialogState > 0) {
        return LookupForm::kSmall;
    }
    return formType == 0 ? LookupForm::kCompact : LookupForm::kFull;
}

int LookupFormTemplate(int formType, int dialogState) {
    switch (LookupFormOf(formType, dialogState)) {
        case LookupForm::kFull:
            return IDD_LOOKUP_FULL;
        case LookupForm::kCompact:
            return IDD_LOOKUP_COMPACT;
        case LookupForm::kSmall:
            return IDD_LOOKUP_SMALL;
        case LookupForm::kNone:
            break;
    }
    return 0;
}

bool FormHasLetterButtons(int formType, int dialogState) {
    return LookupFormOf(formType, dialogState) == LookupForm::kFull;
}

PixelRect CentringArea(const PixelRect* reference, int width, int height, int screenWidth,
                       int screenHeight) {
    if (reference != nullptr && reference->right - reference->left >= width &&
        reference->bottom - reference->top >= height) {
        return *reference;
    }
    return PixelRect{0, 0, screenWidth, screenHeight};
}

PixelPoint CentredPosition(const PixelRect& area, int width, int height) {
    int dx = (area.right - area.left) - width;
    int dy = (area.bottom - area.top) - height;
    // C++ division truncates toward zero, as the placement wants.
    PixelPoint p{area.left + dx / 2, area.top + dy / 2};
    if (dx < 2) {
        p.x = area.left;
    }
    if (dy < 2) {
        p.y = area.top;
    }
    return p;
}

bool SmallFormRectIsSet(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return (left != 0 || right != 0) && (top != 0 || bottom != 0);
}

PixelRect FitSmallFormRect(const PixelRect& stored, const PixelRect& workArea) {
    // 64-bit sums: stored edges are any 32-bit numbers from the registry.
    int64_t areaWidth = int64_t(workArea.right) - workArea.left;
    int64_t areaHeight = int64_t(workArea.bottom) - workArea.top;
    auto fit = [](int64_t from, int64_t to, int64_t minimum, int64_t areaFrom, int64_t areaSize,
                  int* outFrom, int* outTo) {
        int64_t size = to - from;
        if (size < minimum) {
            size = minimum;
        }
        if (size > areaSize) {
            size = areaSize;
        }
        if (from + size > areaFrom + areaSize) {
            from = areaFrom + areaSize - size;
        }
        if (from < areaFrom) {
            from = areaFrom;
        }
        *outFrom = static_cast<int>(from);
        *outTo = static_cast<int>(from + size);
    };
    PixelRect r;
    fit(stored.left, stored.right, kSmallFormMinWidth, workArea.left, areaWidth, &r.left, &r.right);
    fit(stored.top, stored.bottom, kSmallFormMinHeight, workArea.top, areaHeight, &r.top,
        &r.bottom);
    return r;
}

SmallFormLayout ComputeSmallFormLayout(int windowWidth, int windowHeight, int buttonWidth,
                                       int buttonHeight, int wordBoxTop, int wordBoxHeight,
                                       int captionHeight) {
    const int y = wordBoxTop;
    const int half = (windowWidth - 3 * buttonWidth - 15) / 2;
    const int dropHeight = windowHeight - y - captionHeight;
    const int buttonsLeft = half + 3;

    SmallFormLayout l;
    l.wordBox = {1, y, half, dropHeight};
    l.searchButton = {buttonsLeft, y, buttonWidth, buttonHeight};
    l.copyButton = {buttonsLeft + (buttonWidth + 1), y, buttonWidth, buttonHeight};
    l.clipboardButton = {buttonsLeft + 2 * (buttonWidth + 1), y, buttonWidth, buttonHeight};
    l.dictionaryList = {buttonsLeft + 3 * (buttonWidth + 1), y, half, dropHeight};

    const int y2 = y + wordBoxHeight + 3;
    const int listWidth = (windowWidth - 16) / 2;
    const int listHeight = windowHeight - (captionHeight + y2 + 5);
    l.matchList = {1, y2, listWidth, listHeight};
    l.translationList = {listWidth + 4, y2, listWidth, listHeight};
    return l;
}

uint8_t NextBitmapFrame(uint8_t frame, int action, int lastFrame) {
    if (action == kFrameReset) {
        return 0;
    }
    if (action != kFrameNext) {
        return frame;
    }
    return frame >= lastFrame ? 0 : static_cast<uint8_t>(frame + 1);
}

static bool SameIgnoringCase(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

static size_t FullNameLength(const char* fullName) {
    size_t n = 0;
    while (n < static_cast<size_t>(kMaxFullNameLength) && fullName[n] != '\0') {
        ++n;
    }
    return n;
}

static bool TypeWanted(int wantedType, int fontType) {
    return wantedType == kAnyFontType || wantedType == fontType;
}

FontMatch MatchFontExact(int wantedType, int fontType, const char* fullName, const char* faceName) {
    if (!TypeWanted(wantedType, fontType)) {
        return FontMatch::kContinue;
    }
    size_t faceLength = std::strlen(faceName);
    if (FullNameLength(fullName) != faceLength) {
        return FontMatch::kContinue;
    }
    return SameIgnoringCase(fullName, faceName, faceLength) ? FontMatch::kTake : FontMatch::kStop;
}

FontMatch MatchFontPrefix(int wantedType, int fontType, const char* fullName, const char* faceName,
                          bool needWeight, bool needItalic, int weight, int italic) {
    if (!TypeWanted(wantedType, fontType)) {
        return FontMatch::kContinue;
    }
    size_t faceLength = std::strlen(faceName);
    if (FullNameLength(fullName) < faceLength ||
        !SameIgnoringCase(fullName, faceName, faceLength)) {
        return FontMatch::kContinue;
    }
    if (needWeight && weight == 0) {
        return FontMatch::kContinue;
    }
    if (needItalic && italic == 0) {
        return FontMatch::kContinue;
    }
    return FontMatch::kTake;
}

int FontHeightForPoints(int enumeratedHeight, int pointSize, int logPixelsY) {
    if ((pointSize & 0xFF) == 0) {
        return enumeratedHeight;
    }
    // MulDiv(pointSize, logPixelsY, 72), rounded half away from zero.
    long long product = static_cast<long long>(pointSize) * logPixelsY;
    long long rounded = (std::llabs(product) + 36) / 72;
    return static_cast<int>(product < 0 ? rounded : -rounded);
}
