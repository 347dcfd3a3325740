#pragma once

#include <windows.h>

#include "ui/forms/Form.h"
#include "win32/FormScale.h"

namespace ombrel::win32 {

// What a form draws on its own surface, beneath its controls: the frame of each shape (the
// bar's marker) and a dot under each marked control.
void DrawShapesAndMarks(HDC dc, Form& form, const FormScale& scale);

}  // namespace ombrel::win32
