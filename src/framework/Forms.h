#pragma once
// The window layer in one include: forms, the standard controls, control arrays and
// design tables.
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/CommandButton.h"
#include "framework/ControlArray.h"
#include "framework/Design.h"
#include "framework/Form.h"
#include "framework/Frame.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/Menu.h"
#include "framework/OptionButton.h"
#include "framework/ProgressBar.h"
#include "framework/Shape.h"
#include "framework/TextBox.h"
#include "framework/Timer.h"
