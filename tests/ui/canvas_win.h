// Pictures a test reads back pixel by pixel: a 32-bit bitmap with a memory context that a draw
// goes into, and the pixels of a bitmap.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// A colour nothing the program draws uses: a pixel that still holds it was left alone.
constexpr COLORREF kUntouched = RGB(1, 2, 3);

// The format of a 32-bit bitmap whose top row comes first.
inline BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A pixel of a 32-bit bitmap as a colour.
inline COLORREF BitsToColour(uint32_t v) {
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// The pixels of a bitmap of width x height, top row first.
inline std::vector<COLORREF> ReadBitmapPixels(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = TopDown32(width, height);
    std::vector<DWORD> raw(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, height, raw.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> pixels;
    for (DWORD p : raw) {
        pixels.push_back(BitsToColour(p));
    }
    return pixels;
}

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = TopDown32(width, height);
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                   nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        Fill(kUntouched);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    void Fill(COLORREF colour) {
        GdiFlush();
        for (int i = 0; i < width_ * height_; ++i) {
            bits_[i] = ToBits(colour);
        }
    }
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        return BitsToColour(bits_[y * width_ + x]);
    }
    // Every pixel, row by row.
    std::vector<COLORREF> Pixels() const {
        GdiFlush();
        std::vector<COLORREF> pixels;
        for (int i = 0; i < width_ * height_; ++i) {
            pixels.push_back(BitsToColour(bits_[i]));
        }
        return pixels;
    }
    int Count(COLORREF colour) const {
        GdiFlush();
        int n = 0;
        for (int i = 0; i < width_ * height_; ++i) {
            n += bits_[i] == ToBits(colour);
        }
        return n;
    }
    bool Untouched() const { return Count(kUntouched) == width_ * height_; }
    // The rows and columns holding pixels other than the background colour.
    RECT Ink(COLORREF background) const {
        RECT r = {width_, height_, -1, -1};
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (Pixel(x, y) == background) {
                    continue;
                }
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x);
                r.bottom = std::max<LONG>(r.bottom, y);
            }
        }
        return r;
    }

private:
    static uint32_t ToBits(COLORREF c) {
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }

    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};
