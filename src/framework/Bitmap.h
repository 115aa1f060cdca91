#pragma once
// A picture for picture boxes and images: a device-dependent bitmap loaded from a
// resource or a .bmp file, shared between the controls that show it.
#include <windows.h>

#include <functional>
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
    // .bmp file (relative names are taken from the program's folder). A resource is
    // read when the picture is first drawn or measured: a window's design names many
    // pictures that only its hidden pages show.
    static Bitmap FromDesign(const std::string& value);

    HBITMAP Handle() const;
    bool Empty() const { return !Handle(); }
    int Width() const;  // pixels
    int Height() const;

    // Copies the picture's area src (in picture pixels) to dc at (x, y). With a mask
    // colour, pixels of that colour are left out.
    void Draw(HDC dc, int x, int y) const;
    void Draw(HDC dc, int x, int y, const RECT& src) const;
    void DrawMasked(HDC dc, int x, int y, COLORREF mask) const;

private:
    // The picture, shared by the copies of a Bitmap; one with a loader is read on first use.
    struct Image {
        explicit Image(HBITMAP owned) { Adopt(owned); }
        explicit Image(std::function<HBITMAP()> loader) : load(std::move(loader)) {}
        ~Image();
        Image(const Image&) = delete;
        Image& operator=(const Image&) = delete;
        void Adopt(HBITMAP owned);

        std::function<HBITMAP()> load;  // empty once read
        HBITMAP handle = nullptr;
        int width = 0, height = 0;
    };
    // The loaded picture, or nullptr when there is none.
    const Image* Loaded() const;

    std::shared_ptr<Image> image_;
};

}  // namespace gf
