#pragma once
// The saved properties of every KivoXPButton on the program's windows: the main
// window's three tab buttons and "Clean", "Add", "Remove", and the caption dialog's
// "Add" and "Cancel". The window builders load each instance with
//     KivoXPButtonSavedProperties(*FindKivoXPButtonDesign("cmdClean"), picture)
// where picture is the instance's artwork (PictureSize x PictureSize pixels,
// PictureBits bits per pixel), or null for an instance without one.
#include <string>
#include <vector>

#include "framework/PropertyBag.h"

struct KivoXPButtonDesign {
    std::string Window;  // "frmMain" or "frmInput"
    std::string Name;
    std::string Caption;
    long ExtentX, ExtentY;  // HiMetric
    gf::StdFont Font;
    long ColorScheme;
    long ForeColor, ForeOver, MaskColor;
    int PictureSize;  // pixels, 0 for none
    int PictureBits;
    bool SavesHand;  // the dialog's buttons also store "HAND" (False)
};

const std::vector<KivoXPButtonDesign>& KivoXPButtonDesigns();
// The design of the named instance, or null.
const KivoXPButtonDesign* FindKivoXPButtonDesign(const std::string& name);

// The instance's stored properties, extent first, keys in lower case as the windows
// store them.
gf::PropertyBag KivoXPButtonSavedProperties(const KivoXPButtonDesign& design, gf::PictureRef picture);
