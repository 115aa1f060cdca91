#include "framework/Forms.h"

namespace gf {

namespace {
template <typename T>
void Register(const char* type) {
    ControlTypes::Register(type, [](const std::string& name, int index) { return std::make_unique<T>(name, index); });
}
}  // namespace

// The kinds a design table may name without registering them first.
void RegisterStandardControlTypes() {
    Register<CheckBox>("CheckBox");
    Register<ComboBox>("ComboBox");
    Register<CommandButton>("CommandButton");
    Register<Frame>("Frame");
    Register<Image>("Image");
    Register<Label>("Label");
    Register<ListBox>("ListBox");
    Register<Menu>("Menu");
    Register<OptionButton>("OptionButton");
    Register<PictureBox>("PictureBox");
    Register<ProgressBar>("ProgressBar");
    Register<Shape>("Shape");
    Register<TextBox>("TextBox");
    Register<Timer>("Timer");
}

}  // namespace gf
