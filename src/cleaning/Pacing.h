#pragma once
// Long walks of the cleaning (emptying a folder of many thousand files) hand the message
// loop a turn now and then, so that the windows repaint and answer meanwhile, and end
// early when the program is to end. Everything runs on the one user-interface thread.
namespace pacing {

// The walk's turns come at most this far apart, plus the time of the entry in hand.
inline constexpr unsigned kTurnEveryMs = 50;

// Marks a walk under way, for its life; walks nest (a subfolder removed while its parent
// is emptied) and share one clock, which starts when the outermost one begins. Outside
// a walk, Go turns nothing: a short call never yields before it has done anything.
class Walk {
public:
    Walk();
    ~Walk();
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;
};

// Called by a walk before each entry: turns the message loop once (gf::DoEvents) when a
// turn is due. False when a stop has been asked for: the walk ends here.
bool Go();

// A stop asked for during a clean run (the program is to end): every walk ends before
// its next entry, every item before its next step, and the run before its next item.
void RequestStop();
bool Stopping();

// Holds the stop requests of one clean run: none before it begins, none after it ends.
class StopScope {
public:
    StopScope();
    ~StopScope();
    StopScope(const StopScope&) = delete;
    StopScope& operator=(const StopScope&) = delete;
};

}  // namespace pacing
