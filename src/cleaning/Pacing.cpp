#include "cleaning/Pacing.h"

#include <windows.h>

#include "framework/Runtime.h"

namespace pacing {
namespace {

int walks = 0;
ULONGLONG lastTurn = 0;
bool stopping = false;

}  // namespace

Walk::Walk() {
    if (walks++ == 0) lastTurn = GetTickCount64();
}

Walk::~Walk() { --walks; }

bool Go() {
    if (walks > 0 && GetTickCount64() - lastTurn >= kTurnEveryMs) {
        gf::DoEvents();
        lastTurn = GetTickCount64();  // after the turn: a long one is no reason for another
    }
    return !stopping;
}

void RequestStop() { stopping = true; }

bool Stopping() { return stopping; }

StopScope::StopScope() { stopping = false; }

StopScope::~StopScope() { stopping = false; }

}  // namespace pacing
