#pragma once
// A picture for picture boxes and images: a device-dependent bitmap loaded from a
// resource or a .bmp file, shared between the controls that show it.
#include <windows.h>

#include <memory>
#include <string>

namespace gf {

class Bitmap {
public:
    Bitmap() = default;
    // Takes ownership of the handle.
    explicit Bitmap(HBITMAP owned);
    // An empty bitmap when the file or resource cannot be loaded.
    static Bitmap FromFile(const std::string& path);
    static Bitmap FromResource(int id, HINSTANCE module = nullptr);
    // A design value: "#101" names a bitmap resource of the program, anything else a
    // .bmp file (relative names are taken from the program's folder).
    static Bitmap FromDesign(const std::string& value);

    HBITMAP Handle() const { return bmp_ ? bmp_.get() : nullptr; }
    bool Empty() const { return !bmp_; }
    int Width() const { return width_; }   // pixels
    int Height() const { return height_; }

    // Copies the picture's area src (in picture pixels) to dc at (x, y). With a mask
    // colour, pixels of that colour are left out.
    void Draw(HDC dc, int x, int y) const;
    void Draw(HDC dc, int x, int y, const RECT& src) const;
    void DrawMasked(HDC dc, int x, int y, COLORREF mask) const;

private:
    struct Deleter {
        void operator()(HBITMAP h) const { DeleteObject(h); }
    };
    std::shared_ptr<std::remove_pointer_t<HBITMAP>> bmp_;
    int width_ = 0, height_ = 0;
};

}  // namespace gf
