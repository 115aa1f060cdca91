#include "controls/PageButtons.h"

gf::PropertyBag PageButtonProperties(gf::PictureRef skinUp, gf::PictureRef skinOver) {
    gf::PropertyBag bag;
    bag.WriteProperty("_ExtentX", 4180L);  // 2370 x 1200 twips in HiMetric
    bag.WriteProperty("_ExtentY", 2117L);
    bag.WriteProperty("Caption", std::string());
    gf::StdFont font;
    font.Name = "MS Sans Serif";
    font.Size = 8.25;
    font.Weight = 400;
    bag.WriteProperty("Font", font);
    bag.WriteProperty("SkinDisabled", skinOver);
    bag.WriteProperty("SkinOver", skinOver);
    bag.WriteProperty("SkinUp", skinUp);
    return bag;
}
