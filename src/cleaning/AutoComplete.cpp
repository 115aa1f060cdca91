#include "cleaning/AutoComplete.h"

namespace ModCleaning {
void ClearProtectedStorage() {}  // not written yet
}  // namespace ModCleaning
