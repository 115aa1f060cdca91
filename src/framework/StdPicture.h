#pragma once
// Pictures and fonts as the user controls hold them. A picture is shared by reference
// (PictureRef): a null reference is an absent picture, a StdPicture without a handle an
// empty one. A picture knows its size in HiMetric units (0.01 mm), as saved data does.
#include <windows.h>

#include <memory>
#include <string>

namespace gf {

class StdPicture {
public:
    enum class Kind { None = 0, Bitmap = 1, Icon = 3 };

    // An empty picture: present, but without an image.
    StdPicture() = default;
    ~StdPicture();
    StdPicture(const StdPicture&) = delete;
    StdPicture& operator=(const StdPicture&) = delete;

    // Takes ownership of the handle. The HiMetric size follows from the pixel size at the
    // screen's dots per inch (1440 / twips per pixel).
    static std::shared_ptr<StdPicture> FromBitmap(HBITMAP bitmap);
    static std::shared_ptr<StdPicture> FromIcon(HICON icon);
    static std::shared_ptr<StdPicture> Empty();
    // A .bmp, .ico or .cur file; null when it cannot be read.
    static std::shared_ptr<StdPicture> LoadFile(const std::string& path);
    // A bitmap resource of the module; null when missing.
    static std::shared_ptr<StdPicture> LoadBitmapResource(HINSTANCE module, const char* name);

    Kind Type() const { return kind_; }
    // The image handle (HBITMAP or HICON), 0 for an empty picture.
    HANDLE Handle() const { return handle_; }
    bool HasImage() const { return handle_ != nullptr; }
    long Width() const { return himetricWidth_; }    // HiMetric
    long Height() const { return himetricHeight_; }  // HiMetric
    int PixelWidth() const { return pixelWidth_; }
    int PixelHeight() const { return pixelHeight_; }

    // Draws the image at its own size with its top-left corner at (x, y).
    void Render(HDC dc, int x, int y) const;

private:
    void SetPixelSize(int width, int height);

    Kind kind_ = Kind::None;
    HANDLE handle_ = nullptr;
    int pixelWidth_ = 0, pixelHeight_ = 0;
    long himetricWidth_ = 0, himetricHeight_ = 0;
};

using PictureRef = std::shared_ptr<const StdPicture>;

// HiMetric units for a pixel count at the screen's resolution, rounded.
long PixelsToHiMetricX(int pixels);
long PixelsToHiMetricY(int pixels);
// Pixels for HiMetric units at the screen's resolution, not rounded.
double HiMetricToPixelsX(double himetric);
double HiMetricToPixelsY(double himetric);

// A font description; controls turn it into a GDI font when they draw.
struct StdFont {
    std::string Name = "MS Sans Serif";
    double Size = 8.25;  // points
    short Weight = 400;  // 700 is bold
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    short Charset = 0;

    bool Bold() const { return Weight >= 600; }
    void SetBold(bool bold) { Weight = bold ? 700 : 400; }
    bool operator==(const StdFont&) const = default;
    LOGFONTA ToLogFont(double pixelsPerInchY) const;
    // The same font, its size multiplied by factor.
    StdFont Scaled(double factor) const {
        StdFont scaled = *this;
        scaled.Size *= factor;
        return scaled;
    }
};

}  // namespace gf
