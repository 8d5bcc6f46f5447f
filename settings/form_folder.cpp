#include "settings/form_folder.h"

namespace quorn {

// The chooser's window is not built yet: it never closes with OK.
struct TFormFolder::Window {};

TFormFolder::TFormFolder() = default;
TFormFolder::~TFormFolder() = default;

bool TFormFolder::ShowModal() { return false; }
RECT TFormFolder::Bounds() const { return RECT{}; }
void TFormFolder::SetPosition(int, int) {}

}  // namespace quorn
