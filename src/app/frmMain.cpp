#include "app/frmMain.h"

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <utility>

#include "app/AddRun.h"
#include "app/AppSettings.h"
#include "app/Buttons.h"
#include "app/StatusText.h"
#include "app/SysTray.h"
#include "app/TrayMenu.h"
#include "app/frmMainDesign.h"
#include "bosskey/CaptionListBox.h"
#include "bosskey/HotKeyCombos.h"
#include "bosskey/frmInput.h"
#include "cleaning/Pacing.h"
#include "framework/Runtime.h"
#include "shredder/ShredVerb.h"

namespace app {

namespace {

using ModCleaning::Group;
using AppSettings::kProgram;

// Posted by a clean run that "Exit" cut short, for the window to end once the run's
// handlers have all returned.
constexpr UINT kExitAfterRun = WM_APP + 0x1E7;

bool BuildDesign(gf::Form& form) {
    RegisterButtonTypes();
    form.Build(FrmMainDesign());
    return true;
}

std::string Str(int v) { return std::to_string(v); }

// Shows a value in a box without running its click: the box then shows a state that
// holds already, and its handler would do work that is not wanted.
void SetValueQuietly(gf::CheckBox& box, int value) {
    auto handler = std::exchange(box.OnClick, nullptr);
    box.SetValue(value);
    box.OnClick = std::move(handler);
}

// The minutes a text holds, as the store keeps them: a whole number from 1 to 1440 in
// plain decimal, or "" when the text is no such number.
std::string ValidMinutes(const std::string& text) {
    const std::int64_t minutes = WholeMinutes(text);
    return minutes > 0 ? std::to_string(minutes) : "";
}

// What the minutes box shows for a stored text: its minutes, or the design's 1.
std::string MinutesToShow(const std::string& stored) {
    const std::string minutes = ValidMinutes(stored);
    return minutes.empty() ? "1" : minutes;
}

}  // namespace

frmMain::frmMain()
    : Form("frmMain"),
      built_(BuildDesign(*this)),
      picMain(Get<gf::PictureBox>("picMain")),
      chkCheckAll(Get<gf::CheckBox>("chkCheckAll")),
      fraInternet(Get<gf::Frame>("fraInternet")),
      fraWindows(Get<gf::Frame>("fraWindows")),
      fraSoftware(Get<gf::Frame>("fraSoftware")),
      chkShredder(Get<gf::CheckBox>("chkShredder")),
      chkRunStart(Get<gf::CheckBox>("chkRunStart")),
      chkAutoMin(Get<gf::CheckBox>("chkAutoMin")),
      chkAutoCleanBrowse(Get<gf::CheckBox>("chkAutoCleanBrowse")),
      chkAutoCleanTime(Get<gf::CheckBox>("chkAutoCleanTime")),
      minuteCombo(Get<gf::TextBox>("minuteCombo")),
      List1(Get<gf::ListBox>("List1")),
      lblCleanStatus(Get<gf::Label>("lblCleanStatus")),
      lblLastClean(Get<gf::Label>("lblLastClean")),
      lblAutoClean(Get<gf::Label>("lblAutoClean")),
      lblBossKey(Get<gf::Label>("lblBossKey")),
      pgbClean(Get<gf::ProgressBar>("pgbClean")),
      Timer1(Get<gf::Timer>("Timer1")),
      TCheck(Get<gf::Timer>("TCheck")),
      TClosed(Get<gf::Timer>("TClosed")),
      mPopupSys(Get<gf::Menu>("mPopupSys")) {
    chkInternet = Array<gf::CheckBox>("chkInternet");
    chkWindows = Array<gf::CheckBox>("chkWindows");
    chkSoftware = Array<gf::CheckBox>("chkSoftware");
    ButtonEx1 = Array<gf::Control>("ButtonEx1");
    fraWindow = Array<gf::Frame>("fraWindow");
    cntrlFirst = Array<gf::ComboBox>("cntrlFirst");
    cntrlSecond = Array<gf::ComboBox>("cntrlSecond");

    SetCaption("Glimmerfold");
    SetBorderStyle(gf::FormBorder::FixedSingle);
    SetMinButton(true);
    SetStartUpPosition(gf::StartUpPosition::WindowsDefault);
    SetClientSize(kFormWidth, kFormHeight);

    itemCleaner_ = [](Group g, short i, const ModCleaning::StatusLabel& s, const std::string& tag) {
        ModCleaning::CleanItem(g, i, s, tag);
    };
    // "Auto Clean every" cleans once every N minutes; its timer ticks often and counts.
    Timer1.SetInterval(IntervalCleaner::kTickMs);
    SetIntervalTimeBase({});
    watcher_ = std::make_unique<BrowserWatcher>(TCheck, TClosed, [this] { clean(); });
    WireHandlers();
    // The pages not shown at start get their windows when first shown: a quicker start.
    Defer(fraWindow(1));
    Defer(fraWindow(2));
}

frmMain::~frmMain() = default;

void frmMain::SetIntervalTimeBase(IntervalCleaner::TimeBase time) {
    interval_ = std::make_unique<IntervalCleaner>(Timer1, [this] { clean(); }, StoredMinutesText, std::move(time));
}

void frmMain::WireHandlers() {
    chkInternet.Handle(&gf::CheckBox::OnClick, [this](int i) { chkInternet_Click(i); });
    chkWindows.Handle(&gf::CheckBox::OnClick, [this](int i) { chkWindows_Click(i); });
    chkSoftware.Handle(&gf::CheckBox::OnClick, [this](int i) { chkSoftware_Click(i); });
    for (int i = 0; i <= ButtonEx1.UBound(); ++i) ClickOf(ButtonEx1(i)) = [this, i] { ButtonEx1_Click(i); };
    ClickOf(Get<gf::Control>("InternetTab")) = [this] { InternetTab_Click(); };
    ClickOf(Get<gf::Control>("SoftwareTab")) = [this] { SoftwareTab_Click(); };
    ClickOf(Get<gf::Control>("WindowTab")) = [this] { WindowTab_Click(); };
    ClickOf(Get<gf::Control>("cmdClean")) = [this] { cmdClean_Click(); };
    ClickOf(Get<gf::Control>("cmdAddMore")) = [this] { cmdAddMore_Click(); };
    ClickOf(Get<gf::Control>("cmdRemove")) = [this] { cmdRemove_Click(); };
    chkCheckAll.OnClick = [this] { chkCheckAll_Click(); };
    chkAutoMin.OnClick = [this] { chkAutoMin_Click(); };
    chkRunStart.OnClick = [this] { chkRunStart_Click(); };
    chkShredder.OnClick = [this] { chkShredder_Click(); };
    chkAutoCleanBrowse.OnClick = [this] { chkAutoCleanBrowse_Click(); };
    chkAutoCleanTime.OnClick = [this] { chkAutoCleanTime_Click(); };
    minuteCombo.OnChange = [this] { minuteCombo_Change(); };
    minuteCombo.OnLostFocus = [this] { minuteCombo.SetText(MinutesToShow(StoredMinutesText())); };
    cntrlFirst.Handle(&gf::ComboBox::OnClick, [this](int i) { cntrlFirst_Click(i); });
    cntrlSecond.Handle(&gf::ComboBox::OnClick, [this](int i) { cntrlSecond_Click(i); });
    List1.OnClick = [this] { List1_Click(); };
    picMain.OnMouseDown = [this](int, int, double, double) { picMain_MouseDown(); };
    Timer1.OnTimer = [this] { interval_->Timer1_Timer(); };
    TCheck.OnTimer = [this] { watcher_->TCheck_Timer(); };
    TClosed.OnTimer = [this] { watcher_->TClosed_Timer(); };

    auto menu = [this](const char* name) -> gf::Menu& { return Get<gf::Menu>(name); };
    menu("mnuClean").OnClick = [this] { mnuClean_Click(MenuTargets()); };
    menu("mnuShow").OnClick = [this] { mnuShow_Click(MenuTargets()); };
    menu("mnuHelp").OnClick = [this] { mnuHelp_Click(MenuTargets()); };
    menu("mnuAbout").OnClick = [] { mnuAbout_Click(); };
    menu("mnuExit").OnClick = [this] { ExitFromMenu(); };
}

// ---------------------------------------------------------------- loading

void frmMain::Form_Load() {
    // 1. The stored options, read before anything restores (and so re-saves) them.
    const gf::SettingsSection stored = AppSettings::OpenSection(kProgram);
    bool autoMin = AppSettings::ReadTruth(stored, "AutoMin");
    bool useShredder = AppSettings::ReadTruth(stored, "useShredder");
    bool autoRun = AppSettings::ReadTruth(stored, "AutoRun");
    bool autoCleanBrowse = AppSettings::ReadTruth(stored, "AutoCleanBrowse");
    bool autoCleanTime = AppSettings::ReadTruth(stored, "AutoCleanTime");
    std::string minutes = stored.Get("minuteCombo", "1");
    // The one further property: the window starts in its normal state.
    SetWindowState(gf::vbNormal);

    currentTab_ = "Internet";  // 2.
    picMain.Move(0, 0, picMain.Width(), picMain.Height());  // 3.
    for (int i = 0; i < 3; ++i) ButtonEx1(i).SetTop(picMain.Top() + 1200 + 1300 * i);  // 4.
    for (int i = 0; i < 3; ++i) ButtonEx1(i).SetLeft(picMain.Left() + 10);
    for (int i = 0; i < 3; ++i) {  // 5.
        fraWindow(i).SetLeft(picMain.Left() + 2500);
        fraWindow(i).SetTop(picMain.Top() + 1050);
    }
    AdjustLayout();  // 6.
    int page = 0;
    SelectPage(page);  // 7.
    ShowTabFrame(fraInternet);  // the frame that matches currentTab

    // 8. The hot keys: the stored choices shown, registered on this window.
    bosskey::FillHotKeyCombos(cntrlFirst, cntrlSecond);
    hotKeys_ = bosskey::StartHotKeys(Hwnd(), cntrlFirst, cntrlSecond, *this);
    loadCheckWindows("");  // the hide and show keys act on the ticked captions from the start
    bosskey::SetListHScroll(List1, *this);

    // 9. The cleaning boxes; each one that changes stores itself again.
    const gf::SettingsSection items = AppSettings::OpenSection(AppSettings::kItems);  // once for all 37
    for (auto* boxes : {&chkInternet, &chkWindows, &chkSoftware})
        for (int i = 0; i <= boxes->UBound(); ++i)
            (*boxes)(i).SetValue(AppSettings::ReadBoxValue(items, boxes->Name() + Str(i)));

    // 10 to 15. The options; each one that changes re-saves them all.
    if (autoMin) chkAutoMin.SetValue(1);
    minuteCombo.SetText(MinutesToShow(minutes));
    if (autoRun) chkRunStart.SetValue(1);
    if (useShredder) chkShredder.SetValue(1);
    if (autoCleanBrowse) {
        chkAutoCleanBrowse.SetValue(1);
        watcher_->SetActive(true);
    }
    if (autoCleanTime) {
        chkAutoCleanTime.SetValue(1);
        if (!interval_->Active()) interval_->SetActive(true);
    } else {
        interval_->SetActive(false);
    }

    AddTrayIcon(Hwnd());  // 16. Shows the window, then adds the icon.
    hasTrayIcon_ = true;
}

void frmMain::ApplyStartupState() {
    // Loading only ticks the box; an option that did nothing would be a plain fault.
    if (chkAutoMin.Value() == 1) SetWindowState(gf::vbMinimized);
}

void frmMain::ShowShredderEnabled() { SetValueQuietly(chkShredder, 1); }

void frmMain::AdjustLayout() {
    double t = gf::Screen::TwipsPerPixelX();
    if (t == 15) return;
    float r = static_cast<float>(t / 15 + 0.01);
    // The client area keeps the skin's size in pixels; scaling the outer size would cut
    // the frame's share off the client area too.
    SetClientSize(ScaleWidth() * t / 15, ScaleHeight() * gf::Screen::TwipsPerPixelY() / 15);
    // The drawn buttons take their saved size and font when their window is made: the
    // pages held back for a quicker start are made now, so that theirs are scaled too.
    for (int i = 0; i <= fraWindow.UBound(); ++i) CreateDeferred(fraWindow(i));
    // Every control keeps its size in pixels, and so does its text: a box or label left at
    // its size in twips would grow over its neighbours, and a font left at its points would
    // outgrow its control.
    for (gf::Control* c : Controls()) {
        if (!c->HasGeometry()) continue;  // menus and timers have no place
        std::string type = c->TypeName();
        if (type == "Menu" || c->Name() == "picMain") continue;
        c->SetTop(c->Top() * r);
        c->SetLeft(c->Left() * r);
        c->SetWidth(c->Width() * r);
        c->SetHeight(c->Height() * r);
        c->ScaleFont(r);
    }
}

// ---------------------------------------------------------------- pages and tabs

void frmMain::SelectPage(int& index) {
    for (int i = 0; i < 3; ++i) {
        ButtonEx1(i).SetEnabled(true);
        fraWindow(i).SetVisible(false);
    }
    CreateDeferred(fraWindow(index));
    fraWindow(index).SetVisible(true);
    ButtonEx1(index).SetEnabled(false);
}

void frmMain::ButtonEx1_Click(int index) {
    SelectPage(index);
    loadCheckWindows("");
    UpdateInfo();
    // The clicked button, now disabled, lost the focus: the keyboard starts on the page.
    FocusFirstIn(fraWindow(index));
}

void frmMain::ShowTabFrame(gf::Frame& frame) {
    fraInternet.SetVisible(false);
    fraSoftware.SetVisible(false);
    fraWindows.SetVisible(false);
    frame.SetVisible(true);
}

void frmMain::InternetTab_Click() {
    currentTab_ = "Internet";
    ShowCheckAll(allInternet_);
    ShowTabFrame(fraInternet);
}

void frmMain::SoftwareTab_Click() {
    currentTab_ = "Software";
    ShowCheckAll(allSoftware_);
    ShowTabFrame(fraSoftware);
}

void frmMain::WindowTab_Click() {
    currentTab_ = "Windows";
    ShowCheckAll(allWindows_);
    ShowTabFrame(fraWindows);
}

void frmMain::ShowCheckAll(bool all) {
    // Only the box follows the tab; ticking or clearing the tab's items is for the user's
    // own click on it, not for a look at another tab.
    SetValueQuietly(chkCheckAll, all ? 1 : 0);
}

void frmMain::chkCheckAll_Click() {
    bool ticked = chkCheckAll.Value() == 1;
    auto apply = [&](gf::ControlArray<gf::CheckBox>& boxes, bool& all) {
        short top = static_cast<short>(boxes.UBound());
        if (ticked) {
            all = true;
            checkAllBox(boxes, top);
        } else {
            unCheckAllBox(boxes, top);
            all = false;
        }
    };
    if (currentTab_ == "Internet") apply(chkInternet, allInternet_);
    else if (currentTab_ == "Software") apply(chkSoftware, allSoftware_);
    else if (currentTab_ == "Windows") apply(chkWindows, allWindows_);
}

void frmMain::checkAllBox(const gf::ControlArray<gf::CheckBox>& chkWat, short iAmount) {
    for (int i = 0; i <= iAmount; ++i) {
        try {
            chkWat(i).SetValue(1);
        } catch (const std::exception&) {
            // a box that fails is skipped; the rest are still ticked
        }
    }
}

void frmMain::unCheckAllBox(const gf::ControlArray<gf::CheckBox>& chkWat, short iAmount) {
    for (int i = 0; i <= iAmount; ++i) chkWat(i).SetValue(0);
}

void frmMain::picMain_MouseDown() {
    ReleaseCapture();
    SendMessageA(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

// ---------------------------------------------------------------- settings and options

void frmMain::StoreItem(const gf::ControlArray<gf::CheckBox>& boxes, int index) {
    AppSettings::Save(AppSettings::kItems, boxes.Name() + Str(index), Str(boxes(index).Value()));
}

void frmMain::chkInternet_Click(int index) { StoreItem(chkInternet, index); }
void frmMain::chkWindows_Click(int index) { StoreItem(chkWindows, index); }
void frmMain::chkSoftware_Click(int index) { StoreItem(chkSoftware, index); }

// Options that only store the whole set.
void frmMain::chkAutoMin_Click() { SaveProgramSettings(); }
void frmMain::minuteCombo_Change() { SaveProgramSettings(); }
void frmMain::cntrlFirst_Click(int) { SaveProgramSettings(); }
void frmMain::cntrlSecond_Click(int) { SaveProgramSettings(); }
void frmMain::List1_Click() { SaveProgramSettings(); }

void frmMain::SaveProgramSettings() {
    {
        const gf::SettingsSection program = AppSettings::OpenSection(kProgram, gf::SettingsSection::ForWriting);
        for (int i = 0; i < 3; ++i) {
            program.Save("cntrlFirst" + Str(i), cntrlFirst(i).Text());
            program.Save("cntrlSecond" + Str(i), cntrlSecond(i).Text());
        }
        // Between the two, so that an option's own value wins over a caption of its name.
        bosskey::SaveCaptionTicks(List1, program);
        program.Save("AutoRun", Str(chkRunStart.Value()));
        program.Save("AutoMin", Str(chkAutoMin.Value()));
        program.Save("AutoCleanBrowse", Str(chkAutoCleanBrowse.Value()));
        program.Save("AutoCleanTime", Str(chkAutoCleanTime.Value()));
        // Only minutes that the timer runs; leaving the box shows the stored ones again.
        if (std::string minutes = ValidMinutes(minuteCombo.Text()); !minutes.empty())
            program.Save("minuteCombo", minutes);
        program.Save("useShredder", Str(chkShredder.Value()));
    }
    if (Hwnd()) hotKeys_ = bosskey::RefreshHotKeys(Hwnd(), cntrlFirst, cntrlSecond);
}

void frmMain::chkRunStart_Click() {
    SaveProgramSettings();
    if (chkRunStart.Value() == 1)
        AddRun::AddRunEntry(AddRun::kRunName, AddRun::RunCommand());
    else
        AddRun::RemoveRunEntry(AddRun::kRunName);
}

void frmMain::chkShredder_Click() {
    SaveProgramSettings();
    if (chkShredder.Value() == 1)
        shredder::RegisterShredVerb();
    else
        shredder::UnregisterShredVerb();
}

void frmMain::chkAutoCleanBrowse_Click() {
    SaveProgramSettings();
    watcher_->SetActive(chkAutoCleanBrowse.Value() == 1);
}

void frmMain::chkAutoCleanTime_Click() {
    SaveProgramSettings();
    interval_->SetActive(chkAutoCleanTime.Value() == 1);
}

// ---------------------------------------------------------------- hot keys and captions

int frmMain::CaptionCount() const { return List1.ListCount(); }
std::string frmMain::CaptionText(int index) const { return List1.List(index); }
bool frmMain::CaptionTicked(int index) const { return List1.Selected(index); }

void frmMain::loadCheckWindows(const std::string& newF) { bosskey::loadCheckWindows(List1, newF); }

bosskey::frmInput& frmMain::CaptionDialog() {
    if (!frmInput_) {
        frmInput_ = std::make_unique<bosskey::frmInput>();
        frmInput_->OnCaptionAdded = [this](const std::string& caption) {
            loadCheckWindows(caption);
            SaveProgramSettings();  // its tick is kept at once, not at the next option change
        };
    }
    return *frmInput_;
}

void frmMain::cmdAddMore_Click() { bosskey::cmdAddMore_Click(CaptionDialog()); }

void frmMain::cmdRemove_Click() { bosskey::cmdRemove_Click(List1); }

// ---------------------------------------------------------------- the clean run

int frmMain::getMax() const {
    int n = 0;
    for (auto* boxes : {&chkInternet, &chkSoftware, &chkWindows})
        for (int i = 0; i <= boxes->UBound(); ++i)
            if ((*boxes)(i).Value() == 1) ++n;
    return n;
}

void frmMain::CleanGroup(Group group, const gf::ControlArray<gf::CheckBox>& boxes) {
    ModCleaning::StatusLabel status = [this](const std::string& text) { lblCleanStatus.SetCaption(text); };
    for (int i = 0; i <= boxes.UBound() && !exitPending_; ++i) {
        if (boxes(i).Value() != 1) continue;
        pgbClean.SetValue(pgbClean.Value() + 1);
        try {
            itemCleaner_(group, static_cast<short>(i), status, boxes(i).Tag);
        } catch (...) {
            // an item that fails, in whatever way, ends there; the run goes on with the next box
        }
    }
}

void frmMain::clean() {
    // The loop runs between items and during long ones: a second request meanwhile would
    // interleave two runs; one after "Exit" would outlive the window.
    if (cleaning_ || exitPending_) return;
    {
        BusyScope running(cleaning_);  // cleared on every way out, or no clean would run again
        pacing::StopScope stop;
        lblCleanStatus.SetCaption("Erasing Histories");
        lblCleanStatus.SetVisible(true);
        pgbClean.SetVisible(true);
        pgbClean.SetMax(static_cast<float>(getMax()));
        pgbClean.SetValue(0);
        CleanGroup(Group::Internet, chkInternet);
        CleanGroup(Group::Software, chkSoftware);
        CleanGroup(Group::Windows, chkWindows);
        if (exitPending_) {
            // Cut short: no time stored for a clean that did not finish. The window ends
            // from the message loop, once whatever started this run has returned.
            PostMessageA(Hwnd(), kExitAfterRun, 0, 0);
            return;
        }
        pgbClean.SetVisible(false);
        lblCleanStatus.SetVisible(false);
        AppSettings::Save(AppSettings::kSystemInfo, "LastRun", StatusText::Now());
    }
    UpdateInfo();
}

void frmMain::UpdateInfo() {
    lblLastClean.SetCaption(AppSettings::Get(AppSettings::kSystemInfo, "LastRun", "Never"));
    // The interval as the timer reads it: one that does not run is not shown.
    lblAutoClean.SetCaption(StatusText::AutoClean(AppSettings::Get(kProgram, "AutoCleanBrowse", "0"),
                                                  AppSettings::Get(kProgram, "AutoCleanTime", "0"),
                                                  ValidMinutes(StoredMinutesText())));
    std::string rows[3];
    for (int i = 0; i < 3; ++i)
        rows[i] = StatusText::HotKeyRow(AppSettings::Get(kProgram, "cntrlFirst" + Str(i), "Ctrl"),
                                        AppSettings::Get(kProgram, "cntrlSecond" + Str(i), "F1"), hotKeys_[i]);
    lblBossKey.SetCaption(StatusText::BossKey(rows[0], rows[1], rows[2]));
}

// ---------------------------------------------------------------- tray and life cycle

void frmMain::Form_MouseMove(int, int, double x, double) { TrayIcon_MouseMove(*this, mPopupSys, x); }

void frmMain::Form_QueryUnload(bool& cancel, int unloadMode) { TrayQueryUnload(*this, cancel, unloadMode); }

void frmMain::Form_Unload(bool&) {
    hasTrayIcon_ = false;
    RemoveTrayIcon(Hwnd());
}

bool frmMain::Form_Message(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    // Without its icon a window closed to the tray could never be shown again.
    if (msg == TaskbarCreatedMessage() && hasTrayIcon_) RestoreTrayIcon(Hwnd());
    if (msg == kExitAfterRun) {
        if (exitPending_ && !cleaning_) mnuExit_Click(MenuTargets());
        result = 0;
        return true;  // the window may be gone: nothing more for it
    }
    return false;
}

void frmMain::ExitFromMenu() {
    // Ending the window under a running clean would pull the controls, the timers and the
    // window itself from under the run's feet: the run stops after the entry in hand, and
    // the window ends once the run has returned.
    if (cleaning_) {
        exitPending_ = true;
        pacing::RequestStop();
        return;
    }
    mnuExit_Click(MenuTargets());
}

TrayMenuTargets frmMain::MenuTargets() {
    TrayMenuTargets t;
    t.clean = [this] { clean(); };
    t.showMain = [this] { Show(); };
    t.unloadMain = [this] { Unload(gf::vbFormCode); };
    t.endCaptionDialog = [this] {
        if (frmInput_ && frmInput_->Loaded()) frmInput_->Unload(gf::vbFormCode);
    };
    t.iconWindow = Hwnd();
    return t;
}

// ---------------------------------------------------------------- the one instance

namespace {
std::unique_ptr<frmMain>& Instance() {
    static std::unique_ptr<frmMain> instance;
    return instance;
}
}  // namespace

frmMain& MainForm() {
    if (!Instance()) Instance() = std::make_unique<frmMain>();
    return *Instance();
}

bool MainFormExists() { return Instance() != nullptr; }

void DestroyMainForm() { Instance().reset(); }

}  // namespace app
