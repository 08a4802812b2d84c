#pragma once
// The message boxes of the login dialogs and the profile manager about a
// profile file the reader refused whole or could not read to its end: it is
// shown without profiles and is never written over; and about one that another
// program changed while the manager was open.
#include "shell/ErrorInfo.h"

namespace bkl {

// At load: why no profiles are shown. `refusal` as the readers give it.
void ShowProfileFileRefused(const ErrorInfo& refusal);
// At the manager's Save: the file was kept as it is and nothing was saved.
void ShowProfileSaveRefused(const ErrorInfo& refusal);
// At the manager's Save: the file at `path` was changed by another program
// since the manager read it, so nothing was saved.
void ShowProfileChangedSinceRead(const QString& path);

} // namespace bkl
