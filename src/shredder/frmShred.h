#pragma once
// The shredder's progress window: "Shredding File", the path, a progress bar, a paper
// shredder that moves every 600 ms, and a picture that hides the window while the
// shredding goes on. It is the shredding's progress report.
#include <string>

#include "framework/Forms.h"
#include "shredder/modShredFile.h"

namespace shredder {

class frmShred : public gf::Form, public ShredProgress {
public:
    // The path that lblFile shows once the window loads.
    explicit frmShred(std::wstring path);

    gf::Label& Label1 = Get<gf::Label>("Label1");
    gf::Label& lblFile = Get<gf::Label>("lblFile");
    gf::ProgressBar& pgbShred = Get<gf::ProgressBar>("pgbShred");
    gf::Image& Image1 = Get<gf::Image>("Image1");
    gf::Image& Image2 = Get<gf::Image>("Image2");
    gf::Image& Image3 = Get<gf::Image>("Image3");
    gf::Timer& Timer1 = Get<gf::Timer>("Timer1");
    gf::Shape& Shape1 = Get<gf::Shape>("Shape1");

    // ShredProgress: the bar's Max is the file's length in bytes, its Value the bytes
    // overwritten so far.
    void Start(std::uint64_t totalBytes) override;
    void Advance(std::uint64_t doneBytes) override;

    void Timer1_Timer();
    void Image3_Click();

protected:
    void Form_Load() override;
    // Closing by the user only hides the window: the file is being overwritten and
    // stopping half-way would help nobody. The shredding unloads it when done.
    void Form_QueryUnload(bool& cancel, int unloadMode) override;

private:
    std::wstring path_;
};

}  // namespace shredder
