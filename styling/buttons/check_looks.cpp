#include "styling/buttons/check_looks.h"

// No check box or radio button is styled yet (no installer records kinds 4 and 5), so these
// looks have nothing to draw. The check-box family fills them in.
void PaintRadioButton(HWND /*window*/, UINT /*itemState*/) {}
void PaintCheckBox(HWND /*window*/, UINT /*itemState*/) {}
