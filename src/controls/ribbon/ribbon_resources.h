#pragma once
// Pictures read from the executable's custom resources ("BLACK", "BLUE",
// "SILVER") and the temporary-file helpers they go through: the bytes are
// written to a fresh temporary file with the prefix "LRP", loaded as a file
// and the file is deleted at once.
#include <string>

#include "controls/ribbon/ribbon_picture.h"

namespace ctl {

// The running executable's file name without folder and extension.
std::string ExeName();

// The picture of the custom resource `type` with the numeric id. Every failure
// is raised as vb::Error with its number and description kept and the source
// ExeName() + ".cLoadResPicture"; no temporary file is left behind.
RibbonPicture LoadResPicture(int id, const std::string& type);

// The system's temporary folder, ending with a backslash.
// Failure: vb::Error(code | 10000, ApiErrorText(code), ExeName() + ".cAniCursor").
std::string GetTempDir();
// A new empty file with a unique name in `folder` (the temporary folder when
// empty); its full path. Failure raised as in GetTempDir.
std::string GetTempFile(const std::string& prefix, const std::string& folder);
// The system's message for an error code (with its trailing line break), or "".
std::string ApiErrorText(unsigned long code);
// Deletes the file; failures are ignored.
void DeleteTempFile(const std::string& path);

// The error a failing temporary-file call raises for a system error code.
[[noreturn]] void RaiseApiError(unsigned long code);

}  // namespace ctl
