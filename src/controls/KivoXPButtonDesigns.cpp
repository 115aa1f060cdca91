#include "controls/KivoXPButtonDesigns.h"

namespace {

gf::StdFont Verdana(double size, bool bold = false) {
    gf::StdFont font;
    font.Name = "Verdana";
    font.Size = size;
    font.SetBold(bold);
    return font;
}

constexpr long kBlack = 0x000000, kBlue = 0xFF0000, kGreen = 0x00C000, kWhite = 0xFFFFFF, kSilver = 0xC0C0C0;

KivoXPButtonDesign Small(const char* window, const char* name, const char* caption, long extentX, int picture,
                         int bits, bool hand) {
    return {window, name, caption, extentX, 661, Verdana(8.25), 1, kBlack, kBlue, kSilver, picture, bits, hand};
}

}  // namespace

const std::vector<KivoXPButtonDesign>& KivoXPButtonDesigns() {
    static const std::vector<KivoXPButtonDesign> designs = {
        Small("frmMain", "InternetTab", "Internet", 2566, 16, 24, false),
        Small("frmMain", "SoftwareTab", "Software", 2566, 16, 24, false),
        Small("frmMain", "WindowTab", "Windows", 2566, 16, 24, false),
        {"frmMain", "cmdClean", "Clean", 3625, 1508, Verdana(14.25, true), 2, kGreen, kGreen, kWhite, 48, 24, false},
        Small("frmMain", "cmdAddMore", "Add", 1296, 16, 24, false),
        Small("frmMain", "cmdRemove", "Remove", 1931, 16, 32, false),
        Small("frmInput", "cmdAdd", "Add", 2143, 16, 24, true),
        Small("frmInput", "cmdCancel", "Cancel", 2566, 0, 0, true),
    };
    return designs;
}

const KivoXPButtonDesign* FindKivoXPButtonDesign(const std::string& name) {
    for (const KivoXPButtonDesign& d : KivoXPButtonDesigns())
        if (d.Name == name) return &d;
    return nullptr;
}

gf::PropertyBag KivoXPButtonSavedProperties(const KivoXPButtonDesign& d, gf::PictureRef picture) {
    gf::PropertyBag bag;
    bag.WriteProperty("_ExtentX", d.ExtentX);
    bag.WriteProperty("_ExtentY", d.ExtentY);
    bag.WriteProperty("btype", 3L);
    bag.WriteProperty("tx", d.Caption);
    bag.WriteProperty("enab", true);
    bag.WriteProperty("font", d.Font);
    bag.WriteProperty("coltype", d.ColorScheme);
    bag.WriteProperty("focusr", true);
    bag.WriteProperty("bcol", kWhite);
    bag.WriteProperty("bcolo", kWhite);
    bag.WriteProperty("fcol", d.ForeColor);
    bag.WriteProperty("fcolo", d.ForeOver);
    bag.WriteProperty("mcol", d.MaskColor);
    bag.WriteProperty("mptr", 0L);
    if (picture) bag.WriteProperty("picn", std::move(picture));
    bag.WriteProperty("umcol", true);
    bag.WriteProperty("soft", false);
    bag.WriteProperty("picpos", 0L);
    bag.WriteProperty("ngrey", false);
    bag.WriteProperty("fx", 0L);
    if (d.SavesHand) bag.WriteProperty("hand", false);
    bag.WriteProperty("check", false);
    bag.WriteProperty("value", false);
    return bag;
}
