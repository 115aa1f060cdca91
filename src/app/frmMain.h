#pragma once
// The main window: the skin with its three pages (summary and Clean, what to clean in
// three tabs, settings), the clean run and status display, the option handlers, the
// hot keys, the tray icon and automatic cleaning wired to its controls.
#include <functional>
#include <memory>
#include <string>

#include "app/AutoClean.h"
#include "app/TrayMenu.h"
#include "bosskey/HotKeys.h"
#include "cleaning/ModCleaning.h"
#include "framework/Forms.h"

namespace bosskey {
class frmInput;
}

namespace app {

class frmMain : public gf::Form, public bosskey::HotKeyHost {
    bool built_;  // the first member: the design is built before the references bind

public:
    frmMain();
    ~frmMain() override;

    // ---- what the rest of the program calls
    // Erases every ticked item, group by group, with the status line and progress bar.
    // A request that arrives while a run is under way, or after "Exit", is ignored.
    void clean();
    // How many cleaning boxes are ticked (value exactly 1).
    int getMax() const;
    // Fills the summary page's status labels from the settings store.
    void UpdateInfo();
    // Reloads the caption list from its file, ticking stored ticks and newF.
    void loadCheckWindows(const std::string& newF);
    // Rescales the window and its controls on a screen without 15 twips per pixel.
    void AdjustLayout();
    bool CleanRunning() const { return cleaning_; }
    // After start-up has shown the window: "Minimize On Startup" ticked minimizes it.
    void ApplyStartupState();
    // Ticks "Enable File Shredder" without its click: the option is stored and the verb
    // made already (the first start does both after the window has loaded).
    void ShowShredderEnabled();

    // bosskey::HotKeyHost: the hot keys act on the clean run and the caption list.
    void Clean() override { clean(); }
    int CaptionCount() const override;
    std::string CaptionText(int index) const override;
    bool CaptionTicked(int index) const override;

    // ---- how one item is erased; tests put a recorder here
    using ItemCleaner = std::function<void(ModCleaning::Group, short index,
                                           const ModCleaning::StatusLabel& status, const std::string& tag)>;
    void SetItemCleaner(ItemCleaner cleaner) { itemCleaner_ = std::move(cleaner); }
    // ---- where "Auto Clean every" takes its time from; tests shorten the minute
    void SetIntervalTimeBase(IntervalCleaner::TimeBase time);

    // ---- state the window keeps
    const std::string& currentTab() const { return currentTab_; }
    bool allInternet() const { return allInternet_; }
    bool allSoftware() const { return allSoftware_; }
    bool allWindows() const { return allWindows_; }

    // ---- handlers, public so that the tests can raise them as the controls do
    void ButtonEx1_Click(int index);
    void InternetTab_Click();
    void SoftwareTab_Click();
    void WindowTab_Click();
    void cmdClean_Click() { clean(); }
    void cmdAddMore_Click();
    void cmdRemove_Click();
    // Tick (1) or clear (0) items 0 to iAmount of a box array, each box storing itself.
    void checkAllBox(const gf::ControlArray<gf::CheckBox>& chkWat, short iAmount);
    void unCheckAllBox(const gf::ControlArray<gf::CheckBox>& chkWat, short iAmount);

    // ---- the controls
    gf::ControlArray<gf::CheckBox> chkInternet, chkWindows, chkSoftware;
    gf::ControlArray<gf::Control> ButtonEx1;
    gf::ControlArray<gf::Frame> fraWindow;
    gf::ControlArray<gf::ComboBox> cntrlFirst, cntrlSecond;
    gf::PictureBox& picMain;
    gf::CheckBox& chkCheckAll;
    gf::Frame& fraInternet;
    gf::Frame& fraWindows;
    gf::Frame& fraSoftware;
    gf::CheckBox& chkShredder;
    gf::CheckBox& chkRunStart;
    gf::CheckBox& chkAutoMin;
    gf::CheckBox& chkAutoCleanBrowse;
    gf::CheckBox& chkAutoCleanTime;
    gf::TextBox& minuteCombo;
    gf::ListBox& List1;
    gf::Label& lblCleanStatus;
    gf::Label& lblLastClean;
    gf::Label& lblAutoClean;
    gf::Label& lblBossKey;
    gf::ProgressBar& pgbClean;
    gf::Timer& Timer1;
    gf::Timer& TCheck;
    gf::Timer& TClosed;
    gf::Menu& mPopupSys;

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Form_Unload(bool& cancel) override;
    void Form_MouseMove(int button, int shift, double x, double y) override;
    // The shell's notification area made anew: the icon is added again.
    bool Form_Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void WireHandlers();
    void SelectPage(int& index);
    void ShowTabFrame(gf::Frame& frame);
    void ShowCheckAll(bool all);
    void chkCheckAll_Click();
    void SaveProgramSettings();
    void StoreItem(const gf::ControlArray<gf::CheckBox>& boxes, int index);
    void chkInternet_Click(int index);
    void chkWindows_Click(int index);
    void chkSoftware_Click(int index);
    void chkAutoMin_Click();
    void minuteCombo_Change();
    void cntrlFirst_Click(int index);
    void cntrlSecond_Click(int index);
    void List1_Click();
    void chkRunStart_Click();
    void chkShredder_Click();
    void chkAutoCleanBrowse_Click();
    void chkAutoCleanTime_Click();
    void picMain_MouseDown();
    bosskey::frmInput& CaptionDialog();
    void CleanGroup(ModCleaning::Group group, const gf::ControlArray<gf::CheckBox>& boxes);
    TrayMenuTargets MenuTargets();
    // The menu's "&Exit": at once, or during a clean run once the run has stopped.
    void ExitFromMenu();

    std::string currentTab_;
    bool allInternet_ = false, allSoftware_ = false, allWindows_ = false;
    bool cleaning_ = false;
    bool exitPending_ = false;  // "Exit" chosen during a clean run; the program is ending
    bool hasTrayIcon_ = false;  // loading added it; the window keeps it until it unloads
    bosskey::HotKeyResults hotKeys_;  // how the last registration went, for the status display
    ItemCleaner itemCleaner_;
    std::unique_ptr<IntervalCleaner> interval_;
    std::unique_ptr<BrowserWatcher> watcher_;
    std::unique_ptr<bosskey::frmInput> frmInput_;
};

// The program-wide main window: made by start-up, used by the other windows.
frmMain& MainForm();
// Whether start-up has made it.
bool MainFormExists();
// Ends it (the program is ending, or a test is done with it).
void DestroyMainForm();

}  // namespace app
